// The layout of a converted image: what ConvertFrame writes and the writers read.
#ifndef ZAMGRB_IMAGE_PIXEL_LAYOUT_H
#define ZAMGRB_IMAGE_PIXEL_LAYOUT_H

#include <cstdint>
#include <optional>

#include "zamgrb.h"

namespace zamgrb::image {

struct PixelLayout {
    uint32_t width = 0, height = 0;
    uint32_t channels = 1;         // 1 grey; 3 or 4 colour (B, G, R[, unused])
    uint32_t bitsPerChannel = 8;   // significant bits of each channel, 8..16
    uint32_t bytesPerChannel = 1;  // 1 or 2 (16-bit word, value in the low bits)

    bool colour() const { return channels > 1; }
    uint64_t bytesPerPixel() const { return uint64_t(channels) * bytesPerChannel; }
    uint64_t rowBytes() const { return bytesPerPixel() * width; }
    uint64_t imageBytes() const { return rowBytes() * height; }
};

// A description is colour when it names a colour pattern or an RGB depth.
bool isColourDescription(const CameraDescription& d);
// Bits of one colour channel (RGB depths carry three) or of a grey sample.
uint32_t bitsPerChannelOf(const CameraDescription& d);

// The image ConvertFrame makes of a description with the given flags; empty
// for a description it cannot convert.
std::optional<PixelLayout> convertedLayout(const CameraDescription& d, uint8_t flags);
// Bits per pixel as ConvertFrame reports them (significant bits, not storage).
uint32_t reportedBitsPerPixel(const PixelLayout& layout);

// The image a writer reads: grey of bitDepth bits (1 byte up to 8, else a
// 16-bit word), or colour as four channels B, G, R, unused of bitDepth / 3 bits
// each (bitDepth itself for a colour pattern below 24 bits).
std::optional<PixelLayout> writerLayout(const CameraDescription& d);

}  // namespace zamgrb::image

#endif
