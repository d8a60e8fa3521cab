#include "display/Palette.h"

#include <cmath>

namespace display {

void Palette::clear() {
    levels = 0;
    bgr24.clear();
    rgb32.clear();
}

void BuildPalette(Palette& palette, int bitDepth, const PaletteEffects& effects) {
    if (bitDepth < 1 || bitDepth >= 24)
        return;
    const uint64_t levels = uint64_t(1) << bitDepth;
    const uint64_t top = levels - 1;
    palette.levels = levels;
    palette.bgr24.resize(levels * 3);
    palette.rgb32.resize(levels);

    // Markers and ramp ends compare as unsigned 64-bit numbers, so a negative
    // marker other than -1 falls outside the range like a too large one.
    const uint64_t lowMark = effects.lowMarker != -1 ? uint64_t(int64_t(effects.lowMarker)) : 0;
    const uint64_t highMark = effects.highMarker != -1 ? uint64_t(int64_t(effects.highMarker)) : top;
    uint64_t lo = effects.stretch ? lowMark : 0;
    uint64_t hi = effects.stretch ? highMark : top;
    if (lo > top)
        lo = 0;
    if (hi > top)
        hi = top;

    const uint32_t under = effects.colorize ? 0x00FF00u : 0x000000u;
    const uint32_t over = effects.colorize ? 0xFF0000u : 0xFFFFFFu;
    auto put = [&palette](uint64_t level, uint32_t rgb) {
        palette.rgb32[level] = 0xFF000000u | rgb;
        uint8_t* p = &palette.bgr24[level * 3];
        p[0] = uint8_t(rgb);
        p[1] = uint8_t(rgb >> 8);
        p[2] = uint8_t(rgb >> 16);
    };

    for (uint64_t i = 0; i <= lo; ++i)
        put(i, under);
    for (uint64_t i = lo + 1; i < hi; ++i) {
        if (i < lowMark) {
            put(i, under);
        } else if (i > highMark) {
            put(i, over);
        } else {
            const auto g = uint8_t(int(std::ceil(double(i - lo) * 254.0 / double(hi - lo))));
            put(i, uint32_t(g) * 0x010101u);
        }
    }
    for (uint64_t i = hi; i <= top; ++i)
        put(i, over);
}

}  // namespace display
