// Reads a clip back with FFmpeg, as a player would: every frame decoded and
// handed over as top-down grey or B, G, R rows without padding.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

struct ClipInfo {
    bool opened = false;
    int width = 0, height = 0;
    AVRational rate{0, 1};
    AVPixelFormat format = AV_PIX_FMT_NONE;
    std::vector<int64_t> pts;  // of every decoded frame, in frames
};

// grey: one byte a pixel (a palette must be grey); else three (B, G, R).
inline ClipInfo ReadClip(const std::string& path, bool grey,
                         const std::function<void(const std::vector<uint8_t>&)>& onFrame = {}) {
    ClipInfo info;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
        return info;
    avformat_find_stream_info(format, nullptr);
    AVStream* stream = format->streams[0];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext* decoder = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(decoder, stream->codecpar);
    info.opened = avcodec_open2(decoder, codec, nullptr) >= 0;
    info.width = stream->codecpar->width;
    info.height = stream->codecpar->height;
    info.rate = stream->avg_frame_rate;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* scaler = nullptr;
    std::vector<uint8_t> pixels;
    const auto take = [&] {
        while (avcodec_receive_frame(decoder, frame) >= 0) {
            info.format = AVPixelFormat(frame->format);
            info.pts.push_back(
                av_rescale_q(frame->best_effort_timestamp, stream->time_base, av_inv_q(info.rate)));
            const int w = frame->width, h = frame->height, bytes = grey ? 1 : 3;
            pixels.assign(size_t(w) * h * bytes, 0);
            const bool direct =
                frame->format == (grey ? AV_PIX_FMT_GRAY8 : AV_PIX_FMT_BGR24) ||
                (grey && frame->format != AV_PIX_FMT_PAL8 && frame->format != AV_PIX_FMT_BGR0 &&
                 frame->format != AV_PIX_FMT_BGR24);  // planar: the luma plane
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint8_t* in = frame->data[0] + size_t(y) * frame->linesize[0];
                    uint8_t* out = &pixels[(size_t(y) * w + x) * bytes];
                    if (direct)
                        std::copy(in + x * bytes, in + x * bytes + bytes, out);
                    else if (frame->format == AV_PIX_FMT_PAL8)
                        out[0] = frame->data[1][4 * in[x]];  // B of a grey entry
                    else if (frame->format == AV_PIX_FMT_BGR0)
                        std::copy(in + 4 * x, in + 4 * x + bytes, out);
                }
            if (!grey && frame->format != AV_PIX_FMT_BGR24 && frame->format != AV_PIX_FMT_BGR0) {
                scaler = sws_getCachedContext(scaler, w, h, AVPixelFormat(frame->format), w, h,
                                              AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr);
                const int* matrix = sws_getCoefficients(SWS_CS_ITU601);
                sws_setColorspaceDetails(scaler, matrix, 1, matrix, 1, 0, 1 << 16, 1 << 16);
                uint8_t* out[1] = {pixels.data()};
                const int stride[1] = {w * 3};
                sws_scale(scaler, frame->data, frame->linesize, 0, h, out, stride);
            }
            if (onFrame)
                onFrame(pixels);
        }
    };
    while (info.opened && av_read_frame(format, packet) >= 0) {
        if (packet->size > 0 && avcodec_send_packet(decoder, packet) >= 0)
            take();
        av_packet_unref(packet);
    }
    avcodec_send_packet(decoder, nullptr);
    take();
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return info;
}
