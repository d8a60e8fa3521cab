// The display palette of a monochrome image: one colour per level, carrying the
// marker, stretch and colorize effects of the histogram tools.
#pragma once

#include <cstdint>
#include <vector>

namespace display {

struct PaletteEffects {
    bool stretch = false;   // the grey ramp spans the markers only
    bool colorize = false;  // under green, over red instead of black and white
    int lowMarker = -1;     // -1: not set
    int highMarker = -1;
};

struct Palette {
    uint64_t levels = 0;          // 2^bitDepth
    std::vector<uint8_t> bgr24;   // per level: blue, green, red
    std::vector<uint32_t> rgb32;  // per level: 0xFFRRGGBB (opaque for the display image)
    bool empty() const { return bgr24.empty() || rgb32.empty(); }
    void clear();
};

// Rebuilds both tables for an image of `bitDepth` bits; depths from 24 on (and
// below 1) have no palette and leave it unchanged.
void BuildPalette(Palette& palette, int bitDepth, const PaletteEffects& effects);

}  // namespace display
