// Reads a clip back with FFmpeg, as a player would: every frame decoded and
// handed over as top-down rows without padding, grey (the luma of a YUV frame)
// or B, G, R.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

struct ClipInfo {
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
    const bool opened = avcodec_open2(decoder, codec, nullptr) >= 0;
    info.width = stream->codecpar->width;
    info.height = stream->codecpar->height;
    info.rate = stream->avg_frame_rate;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    std::vector<uint8_t> pixels;
    const auto take = [&] {
        while (avcodec_receive_frame(decoder, frame) >= 0) {
            info.format = AVPixelFormat(frame->format);
            info.pts.push_back(
                av_rescale_q(frame->best_effort_timestamp, stream->time_base, av_inv_q(info.rate)));
            const int w = frame->width, bytes = grey ? 1 : 3,
                      step = frame->format == AV_PIX_FMT_BGR0 ? 4 : bytes;
            pixels.resize(size_t(w) * frame->height * bytes);
            for (int y = 0; y < frame->height; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint8_t* in = frame->data[0] + size_t(y) * frame->linesize[0] + x * step;
                    uint8_t* out = &pixels[(size_t(y) * w + x) * bytes];
                    if (frame->format == AV_PIX_FMT_PAL8)
                        out[0] = frame->data[1][4 * in[0]];  // B of a grey entry
                    else
                        std::copy(in, in + bytes, out);
                }
            if (onFrame)
                onFrame(pixels);
        }
    };
    while (opened && av_read_frame(format, packet) >= 0) {
        if (packet->size > 0 && avcodec_send_packet(decoder, packet) >= 0)
            take();
        av_packet_unref(packet);
    }
    avcodec_send_packet(decoder, nullptr);
    take();
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return info;
}
