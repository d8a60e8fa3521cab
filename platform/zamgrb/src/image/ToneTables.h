// Level tables of a conversion: the attached lookup table, and for colour the
// offset, gain and reduction of each channel, each folded into one table so
// that a pixel costs one lookup per channel.
#ifndef ZAMGRB_IMAGE_TONE_TABLES_H
#define ZAMGRB_IMAGE_TONE_TABLES_H

#include <cstdint>
#include <vector>

#include "zamgrb.h"

namespace zamgrb::image {

using LevelTable = std::vector<uint16_t>;

// True when the description carries a lookup table (both arrays attached).
bool hasLookupTable(const CameraDescription& d);

// Run `run` of the attached lookup table for samples of `bits` bits: 2^bits
// entries mapping levels[i] to values[i], clamped to the depth; levels outside
// the depth are ignored and unmapped levels keep their value. Without a table,
// the identity. One run serves monochrome and colour patterns; RGB depths carry
// three runs (red, green, blue).
LevelTable lookupRun(const CameraDescription& d, uint32_t run, uint32_t bits);

// Applies offset (in 8-bit units, scaled to `bits`) and gain to every entry of
// `levels`, clamps to `bits` and reduces to `outBits` (8 or `bits`).
LevelTable outputTable(const LevelTable& levels, uint32_t bits, uint32_t outBits, int offset8, double gain);

// Reduces a level of `bits` bits to 8 bits (stray high bits saturate).
inline uint8_t reduceTo8(uint32_t level, uint32_t bits) {
    const uint32_t v = level >> (bits - 8);
    return uint8_t(v > 255 ? 255 : v);
}

// Stretches the used range of grey words of `bits` bits over all 16 bits, in
// place; a flat image is scaled to 16 bits.
void stretchToSixteenBits(uint16_t* pixels, uint64_t count, uint32_t bits);

// A gain of 0 means not set; gains that are not finite count as not set too.
double effectiveGain(double gain);

}  // namespace zamgrb::image

#endif
