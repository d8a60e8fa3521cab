// Palette lookups: one table read per sample.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include "Rows.h"

namespace imaging {
namespace {

using detail::Empty;
using detail::Row;

uint32_t IndexMask(int bitSize) {
    const int bits = std::clamp(bitSize, 1, 16);
    return (1u << bits) - 1u;
}

// Eight samples per load and two words per store: the loop is bound by memory
// operations, not by arithmetic.
void LookupRow8(const uint8_t* s, uint32_t* d, int width, const uint32_t* palette) {
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        uint64_t v;
        std::memcpy(&v, s + x, 8);
        for (int k = 0; k < 8; k += 2) {
            const uint64_t pair =
                uint64_t(palette[(v >> (8 * k)) & 0xFF]) | uint64_t(palette[(v >> (8 * k + 8)) & 0xFF]) << 32;
            std::memcpy(d + x + k, &pair, 8);
        }
    }
    for (; x < width; ++x)
        d[x] = palette[s[x]];
}

template <typename Sample>
void Lookup32(const Sample* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
              const uint32_t* palette, int bitSize) {
    if (Empty(roi))
        return;
    const uint32_t mask = IndexMask(bitSize);
    for (int y = 0; y < roi.height; ++y) {
        const Sample* s = Row(src, srcStep, y);
        uint32_t* d = reinterpret_cast<uint32_t*>(Row(dst, dstStep, y));
        if constexpr (std::is_same_v<Sample, uint8_t>) {
            // An 8-bit sample never exceeds a table of 2^8 entries; smaller
            // tables still need the mask.
            if (mask == 0xFF) {
                LookupRow8(s, d, roi.width, palette);
                continue;
            }
        }
        for (int x = 0; x < roi.width; ++x)
            d[x] = palette[s[x] & mask];
    }
}

}  // namespace

void LutPalette8u32u(const uint8_t* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
                     const uint32_t* palette, int bitSize) {
    Lookup32(src, srcStep, dst, dstStep, roi, palette, std::min(bitSize, 8));
}

void LutPalette16u32u(const uint16_t* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
                      const uint32_t* palette, int bitSize) {
    Lookup32(src, srcStep, dst, dstStep, roi, palette, bitSize);
}

}  // namespace imaging
