// Runs ConvertFrame the way the viewer does: ask for the row step, allocate
// exactly row step x height bytes, convert. Raw and destination buffers are
// exactly as large as they must be, so a sanitizer build catches any stray access.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "zamgrb.h"

constexpr uint8_t kStale = 0xEE;

struct Converted {
    uint32_t status = 0;
    uint64_t rowStep = 0;
    uint32_t bitsPerPixel = 0;
    std::vector<uint8_t> pixels;

    // Channel ch of pixel (x, y) with `bytes` bytes per channel and `channels` channels.
    uint32_t at(uint32_t x, uint32_t y, uint32_t channels, uint32_t bytes, uint32_t ch = 0) const {
        const size_t i = size_t(y) * rowStep + (size_t(x) * channels + ch) * bytes;
        return bytes == 1 ? pixels[i] : uint32_t(pixels[i] | pixels[i + 1] << 8);
    }
};

inline Converted convert(const CameraDescription& d, const std::vector<uint8_t>& raw, uint8_t flags) {
    Converted out;
    out.status = ConvertFrame(&d, nullptr, nullptr, &out.rowStep, flags, &out.bitsPerPixel);
    if (out.status != 0)
        return out;
    auto exactRaw = std::make_unique<uint8_t[]>(raw.size());
    std::memcpy(exactRaw.get(), raw.data(), raw.size());
    const size_t size = out.rowStep * d.config.heightValid;
    // Stale bytes, as in a pixel buffer the viewer reuses from frame to frame.
    auto destination = std::make_unique<uint8_t[]>(size);
    std::memset(destination.get(), kStale, size);
    uint64_t step = 0;
    out.status = ConvertFrame(&d, exactRaw.get(), destination.get(), &step, flags, &out.bitsPerPixel);
    if (step != out.rowStep)
        out.status = 0xDEAD;
    out.pixels.assign(destination.get(), destination.get() + size);
    return out;
}
