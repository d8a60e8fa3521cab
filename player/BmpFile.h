// BMP files as the viewer writes them: 8 bits with a colour table or 24 bits,
// uncompressed, rows bottom-up or top-down. The header is checked against the
// file's size before anything is allocated or read, and the pixels are read from
// where the file header says they start. Needs no Qt, so the fuzz target and any
// tool can take it alone.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "player/FileStatus.h"

namespace player {

struct BmpLayout {
    uint32_t width = 0, height = 0;
    bool topDown = false;
    uint32_t bitsPerPixel = 0;  // 8 or 24
    uint64_t stride = 0;        // bytes per row in the file, padded to 4
    uint64_t pixelOffset = 0;
    std::array<uint32_t, 256> palette{};  // 0xAARRGGBB; entries the file lacks are opaque black
};

// Storage for the rows, top row first, `pitch` bytes apart (at least the layout's
// stride); null when it cannot be had.
using BmpAllocator = std::function<uint8_t*(const BmpLayout& layout, uint64_t& pitch)>;

// Reads the open file fd: its header, checked against the file's size, then its
// rows into what allocate gives.
FileStatus ReadBmp(int fd, const BmpAllocator& allocate, BmpLayout& layout);

}  // namespace player
