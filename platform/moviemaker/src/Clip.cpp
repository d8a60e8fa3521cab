#include "Clip.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
}

namespace kvx {
namespace {

uint32_t Stride(uint32_t width, uint32_t bits) {
    return (width * bits + 31) / 32 * 4;
}

// What each packet may still add to the index at the end, generously.
constexpr uint64_t kIndexBytesPerPacket = 40;
constexpr uint64_t kTrailerBytes = 64 * 1024;

int KeyFrameInterval(const ClipSettings& s) {
    if (s.keyFrame != 0)
        return int(std::min<uint32_t>(s.keyFrame, 100000));
    return std::max(1, int(std::lround(s.framesPerSecond)));
}

void SetQuality(AVCodecContext* codec, const Compressor& compressor, uint32_t quality) {
    if (quality == 0)
        quality = compressor.kind == CompressorKind::MotionJpeg ? 90 : 75;
    quality = std::min<uint32_t>(quality, 100);
    if (compressor.kind == CompressorKind::MotionJpeg) {
        // 100 is the finest quantiser the encoder takes (2), 1 the coarsest (31).
        codec->flags |= AV_CODEC_FLAG_QSCALE;
        codec->global_quality = FF_QP2LAMBDA * int(2 + (100 - quality) * 29 / 99);
    } else if (compressor.kind == CompressorKind::H264) {
        // The best quality stops short of lossless, whose profile few players decode.
        av_opt_set_double(codec->priv_data, "crf", 12.0 + (100.0 - quality) * 39.0 / 99.0, 0);
    }
}

}  // namespace

int Clip::Open(const ClipSettings& settings, std::unique_ptr<Clip>& clip) {
    if (!settings.compressor || settings.width == 0 || settings.height == 0 || settings.width > 32768 ||
        settings.height > 32768 || !(settings.framesPerSecond > 0) || settings.path.empty())
        return AVERROR(EINVAL);
    std::unique_ptr<Clip> opened(new Clip(settings));
    if (const int result = ClipFile::Create(settings.path, opened->file_); result < 0)
        return result;
    clip = std::move(opened);
    return 0;
}

Clip::~Clip() {
    Close();
}

int Clip::Begin(bool grey) {
    const ClipSettings& s = settings_;
    const Compressor& compressor = *s.compressor;
    grey_ = grey;
    stride_ = Stride(s.width, grey ? 8 : 24);
    rate_ = av_d2q(s.framesPerSecond, 100000);
    codecFormat_ = CodecFormat(compressor, grey, s.monochrome);
    int result = avformat_alloc_output_context2(&format_, nullptr, "avi", nullptr);
    if (result < 0)
        return result;
    format_->pb = file_->io();
    AVStream* stream = avformat_new_stream(format_, nullptr);
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (!stream || !packet_ || !frame_)
        return AVERROR(ENOMEM);
    stream->time_base = av_inv_q(rate_);
    stream->avg_frame_rate = rate_;
    AVCodecParameters* par = stream->codecpar;
    if (!compressor.codec) {
        par->codec_type = AVMEDIA_TYPE_VIDEO;
        par->codec_id = AV_CODEC_ID_RAWVIDEO;
        par->width = int(s.width);
        par->height = int(s.height);
        par->format = codecFormat_;
        par->bits_per_coded_sample = codecFormat_ == AV_PIX_FMT_PAL8 ? 8 : 24;
        if (grey && codecFormat_ == AV_PIX_FMT_BGR24)
            scratch_.resize(size_t(Stride(s.width, 24)) * s.height);
    } else {
        codec_ = avcodec_alloc_context3(compressor.codec);
        if (!codec_)
            return AVERROR(ENOMEM);
        codec_->width = int(s.width);
        codec_->height = int(s.height);
        codec_->pix_fmt = codecFormat_;
        codec_->time_base = av_inv_q(rate_);
        codec_->framerate = rate_;
        codec_->max_b_frames = 0;  // AVI keeps no separate decoding order
        codec_->color_range = AVCOL_RANGE_JPEG;
        codec_->gop_size = compressor.kind == CompressorKind::Ffv1 ? 1 : KeyFrameInterval(s);
        if (compressor.kind == CompressorKind::H264) {
            // Every frame leaves the encoder at once: nothing waits in it when the
            // process ends unexpectedly.
            av_opt_set(codec_->priv_data, "preset", "veryfast", 0);
            av_opt_set(codec_->priv_data, "tune", "zerolatency", 0);
        }
        SetQuality(codec_, compressor, s.quality);
        if ((result = avcodec_open2(codec_, compressor.codec, nullptr)) < 0)
            return result;
        if ((result = avcodec_parameters_from_context(par, codec_)) < 0)
            return result;
        frame_->format = codecFormat_;
        frame_->width = int(s.width);
        frame_->height = int(s.height);
        frame_->color_range = AVCOL_RANGE_JPEG;
        const bool planarGrey = grey && codecFormat_ == AV_PIX_FMT_YUVJ420P;
        if (planarGrey) {
            // Grey pixels are the luma plane as they are; the chroma planes stay neutral.
            const size_t chroma = size_t((s.width + 1) / 2) * ((s.height + 1) / 2);
            scratch_.assign(chroma, 128);
        } else if (!(grey && codecFormat_ == AV_PIX_FMT_GRAY8)) {
            if ((result = av_frame_get_buffer(frame_, 0)) < 0)
                return result;
        }
        if (!grey && codecFormat_ != AV_PIX_FMT_BGR0) {
            scaler_ = sws_getContext(int(s.width), int(s.height), AV_PIX_FMT_BGR24, int(s.width),
                                     int(s.height), codecFormat_, SWS_BILINEAR, nullptr, nullptr, nullptr);
            if (!scaler_)
                return AVERROR(ENOMEM);
            const int* matrix = sws_getCoefficients(SWS_CS_ITU601);
            sws_setColorspaceDetails(scaler_, matrix, 1, matrix, 1, 0, 1 << 16, 1 << 16);
        }
    }
    par->codec_tag = 0;
    if ((result = avformat_write_header(format_, nullptr)) < 0)
        return result;
    avio_flush(format_->pb);
    begun_ = true;
    return format_->pb->error;
}

int Clip::Add(const uint8_t* pixels, uint32_t size, int64_t time, int64_t frameNumber) {
    if (error_ < 0)
        return error_;
    const uint64_t pixelsOfImage = uint64_t(settings_.width) * settings_.height;
    bool grey = false;
    if (size == uint64_t(Stride(settings_.width, 8)) * settings_.height)
        grey = true;
    else if (size != uint64_t(Stride(settings_.width, 24)) * settings_.height)
        return AVERROR(EINVAL);
    if (!pixels || (begun_ && grey != grey_))
        return AVERROR(EINVAL);
    if (!begun_ && (error_ = Begin(grey)) < 0)
        return error_;
    const int64_t pts = timing_.Next(time, frameNumber);
    const uint64_t packetBound =
        (codec_ ? std::max<uint64_t>(size, pixelsOfImage * 3) : scratch_.size() + size) + 1024;
    if (const int reserved =
            file_->Reserve(packetBound + uint64_t(pts + 2) * kIndexBytesPerPacket + kTrailerBytes);
        reserved < 0)
        return reserved;
    if ((error_ = Encode(pixels, pts)) < 0)
        return error_;
    return 0;
}

const uint8_t* Clip::Converted(const uint8_t* pixels) {
    const uint32_t w = settings_.width, h = settings_.height;
    if (!codec_) {
        if (scratch_.empty())
            return pixels;
        const uint32_t stride = Stride(w, 24);
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x)
                std::memset(&scratch_[size_t(y) * stride + x * 3], pixels[size_t(y) * stride_ + x], 3);
        return scratch_.data();
    }
    if (grey_ && codecFormat_ == AV_PIX_FMT_GRAY8) {
        frame_->data[0] = const_cast<uint8_t*>(pixels);
        frame_->linesize[0] = int(stride_);
    } else if (grey_ && !scratch_.empty()) {
        frame_->data[0] = const_cast<uint8_t*>(pixels);
        frame_->linesize[0] = int(stride_);
        frame_->data[1] = frame_->data[2] = scratch_.data();
        frame_->linesize[1] = frame_->linesize[2] = int((w + 1) / 2);
    } else if (av_frame_make_writable(frame_) < 0) {
        return nullptr;
    } else if (scaler_) {
        const uint8_t* source[1] = {pixels};
        const int sourceStride[1] = {int(stride_)};
        sws_scale(scaler_, source, sourceStride, 0, int(h), frame_->data, frame_->linesize);
    } else {
        const uint32_t step = grey_ ? 1 : 3;
        for (uint32_t y = 0; y < h; ++y) {
            const uint8_t* in = pixels + size_t(y) * stride_;
            uint8_t* out = frame_->data[0] + size_t(y) * frame_->linesize[0];
            for (uint32_t x = 0; x < w; ++x, in += step, out += 4) {
                out[0] = in[0];
                out[1] = in[step / 3 * 1];
                out[2] = in[step / 3 * 2];
                out[3] = 0;
            }
        }
    }
    return pixels;
}

int Clip::Encode(const uint8_t* pixels, int64_t pts) {
    const uint8_t* data = Converted(pixels);
    if (!data)
        return AVERROR(ENOMEM);
    if (codec_) {
        frame_->pts = pts;
        const int result = avcodec_send_frame(codec_, frame_);
        return result < 0 ? result : Drain();
    }
    packet_->data = const_cast<uint8_t*>(data);
    packet_->size = int(data == pixels ? stride_ * settings_.height : scratch_.size());
    packet_->pts = packet_->dts = pts;
    packet_->time_base = av_inv_q(rate_);
    packet_->flags = AV_PKT_FLAG_KEY;
    if (codecFormat_ == AV_PIX_FMT_PAL8 && !paletteSent_) {
        uint8_t* palette = av_packet_new_side_data(packet_, AV_PKT_DATA_PALETTE, AVPALETTE_SIZE);
        if (!palette)
            return AVERROR(ENOMEM);
        for (uint32_t i = 0; i < 256; ++i) {
            const uint32_t entry = 0xFF000000u | i * 0x010101u;
            std::memcpy(palette + 4 * i, &entry, 4);
        }
        paletteSent_ = true;
    }
    return WritePacket(packet_);
}

int Clip::WritePacket(AVPacket* packet) {
    AVStream* stream = format_->streams[0];
    packet->stream_index = 0;
    av_packet_rescale_ts(packet, av_inv_q(rate_), stream->time_base);
    int result = av_write_frame(format_, packet);
    av_packet_unref(packet);
    if (result >= 0) {
        avio_flush(format_->pb);
        result = format_->pb->error;
    }
    return result;
}

int Clip::Drain() {
    while (true) {
        int result = avcodec_receive_packet(codec_, packet_);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return 0;
        if (result < 0)
            return result;
        if ((result = WritePacket(packet_)) < 0)
            return result;
    }
}

int Clip::Close() {
    if (!file_)
        return error_;
    int result = error_;
    if (!begun_ && result == 0)
        result = Begin(settings_.monochrome);
    if (begun_) {
        if (codec_ && avcodec_send_frame(codec_, nullptr) >= 0) {
            const int drained = Drain();
            result = result < 0 ? result : drained;
        }
        const int trailer = av_write_trailer(format_);
        result = result < 0 ? result : trailer;
    }
    const int closed = file_->Close();
    result = result < 0 ? result : closed;
    file_.reset();
    sws_freeContext(scaler_);
    scaler_ = nullptr;
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
    if (format_) {
        format_->pb = nullptr;
        avformat_free_context(format_);
        format_ = nullptr;
    }
    return result;
}

}  // namespace kvx
