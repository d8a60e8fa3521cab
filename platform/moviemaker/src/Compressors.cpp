#include "Compressors.h"

#include <algorithm>
#include <memory>

extern "C" {
#include <libavutil/log.h>
}

namespace kvx {
namespace {

bool Offers(const AVCodec* codec, AVPixelFormat format) {
    if (!codec || !codec->pix_fmts)
        return false;
    for (const AVPixelFormat* f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
        if (*f == format)
            return true;
    return false;
}

// Listed only when a small clip's encoder really opens: a build may name an
// encoder whose library or device is missing.
bool Opens(const AVCodec* codec, AVPixelFormat format) {
    struct Free {
        void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
    };
    std::unique_ptr<AVCodecContext, Free> context(avcodec_alloc_context3(codec));
    if (!context)
        return false;
    context->width = 64;
    context->height = 64;
    context->pix_fmt = format;
    context->time_base = {1, 25};
    context->framerate = {25, 1};
    return avcodec_open2(context.get(), codec, nullptr) >= 0;
}

std::vector<Compressor> Probe() {
    // The codecs' notes on every clip would fill the program's error output.
    av_log_set_level(AV_LOG_ERROR);
    std::vector<Compressor> list;
    list.push_back({u"Uncompressed", CompressorKind::Uncompressed});
    const auto add = [&list](std::u16string name, CompressorKind kind, const char* encoder, bool options,
                             bool keyFrames) {
        const AVCodec* codec = avcodec_find_encoder_by_name(encoder);
        Compressor c{std::move(name), kind, codec, options, keyFrames};
        if (!codec || !Opens(codec, CodecFormat(c, false, false)))
            return false;
        list.push_back(c);
        return true;
    };
    add(u"Motion JPEG", CompressorKind::MotionJpeg, "mjpeg", true, false);
    add(u"FFV1 lossless", CompressorKind::Ffv1, "ffv1", false, false);
    for (const char* encoder : {"libx264", "libopenh264"})
        if (add(u"H.264", CompressorKind::H264, encoder, true, true))
            break;
    return list;
}

}  // namespace

const std::vector<Compressor>& InstalledCompressors() {
    static const std::vector<Compressor> list = Probe();
    return list;
}

const Compressor* FindCompressor(std::u16string_view name) {
    const auto& list = InstalledCompressors();
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const Compressor& c) { return c.name == name; });
    return found == list.end() ? nullptr : &*found;
}

AVPixelFormat CodecFormat(const Compressor& compressor, bool greyFrames, bool monochrome) {
    const bool grey = greyFrames && monochrome;
    switch (compressor.kind) {
        case CompressorKind::Uncompressed:
            return grey ? AV_PIX_FMT_PAL8 : AV_PIX_FMT_BGR24;
        case CompressorKind::MotionJpeg:
            return AV_PIX_FMT_YUVJ420P;
        case CompressorKind::Ffv1:
            return grey ? AV_PIX_FMT_GRAY8 : AV_PIX_FMT_BGR0;
        case CompressorKind::H264:
            return grey && Offers(compressor.codec, AV_PIX_FMT_GRAY8) ? AV_PIX_FMT_GRAY8
                                                                      : AV_PIX_FMT_YUVJ420P;
    }
    return AV_PIX_FMT_NONE;
}

}  // namespace kvx
