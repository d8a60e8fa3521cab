#include "ToneTables.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zamgrb::image {

bool hasLookupTable(const CameraDescription& d) {
    return d.lutLevels && d.lutValues;
}

LevelTable lookupRun(const CameraDescription& d, uint32_t run, uint32_t bits) {
    const size_t n = size_t(1) << bits;
    LevelTable table(n);
    std::iota(table.begin(), table.end(), uint16_t(0));
    if (!hasLookupTable(d))
        return table;
    const int32_t* levels = d.lutLevels + run * n;
    const int32_t* values = d.lutValues + run * n;
    const auto top = int32_t(n - 1);
    for (size_t i = 0; i < n; ++i) {
        if (levels[i] < 0 || levels[i] > top)
            continue;
        table[size_t(levels[i])] = uint16_t(std::clamp(values[i], 0, top));
    }
    return table;
}

double effectiveGain(double gain) {
    return gain == 0.0 || !std::isfinite(gain) ? 1.0 : gain;
}

LevelTable outputTable(const LevelTable& levels, uint32_t bits, uint32_t outBits, int offset8, double gain) {
    const double top = double((1u << bits) - 1);
    const double offset = std::ldexp(double(offset8), int(bits) - 8);
    const uint32_t shift = bits - outBits;
    const bool identity = offset8 == 0 && gain == 1.0;
    LevelTable table(levels.size());
    for (size_t i = 0; i < levels.size(); ++i) {
        uint32_t v = levels[i];
        if (!identity)
            v = uint32_t(std::lround(std::clamp((v + offset) * gain, 0.0, top)));
        table[i] = uint16_t(v >> shift);
    }
    return table;
}

void stretchToSixteenBits(uint16_t* pixels, uint64_t count, uint32_t bits) {
    if (count == 0)
        return;
    const auto [lo, hi] = std::minmax_element(pixels, pixels + count);
    const uint64_t low = *lo, range = uint64_t(*hi) - low;
    for (uint64_t i = 0; i < count; ++i)
        pixels[i] = range == 0 ? uint16_t(pixels[i] << (16 - bits))
                               : uint16_t(((pixels[i] - low) * 65535u + range / 2) / range);
}

}  // namespace zamgrb::image
