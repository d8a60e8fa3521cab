// The compressors a clip can be written with: a fixed list of names, each kept
// only when the installed FFmpeg opens its encoder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace kvx {

enum class CompressorKind { Uncompressed, MotionJpeg, Ffv1, H264 };

struct Compressor {
    std::u16string name;
    CompressorKind kind;
    const AVCodec* codec = nullptr;  // none for uncompressed frames
    bool hasOptions = false;         // quality (and key frames) in the options dialog
    bool keyFrames = false;          // the key-frame interval is a choice
};

// In list order; the encoders are tried once per process.
const std::vector<Compressor>& InstalledCompressors();
const Compressor* FindCompressor(std::u16string_view name);

// The encoder's pixel format for 8-bit (grey) or 24-bit (B, G, R) frames;
// monochrome keeps grey where the codec stores grey.
AVPixelFormat CodecFormat(const Compressor& compressor, bool greyFrames, bool monochrome);

}  // namespace kvx
