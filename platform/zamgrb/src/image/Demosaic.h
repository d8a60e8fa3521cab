// Colour reconstruction of a sample plane taken through a colour filter
// pattern: Bayer (bilinear) and the 4 x 4 TRUESENSE pattern.
#ifndef ZAMGRB_IMAGE_DEMOSAIC_H
#define ZAMGRB_IMAGE_DEMOSAIC_H

#include <cstdint>

#include "PixelLayout.h"

namespace zamgrb::image {

// A plane of width x height samples, bytes or 16-bit words.
struct SamplePlane {
    const void* data;
    bool bytes;
    uint32_t width, height;
};

// Final level table of each output channel (offset, gain and reduction applied).
struct ColourTables {
    const uint16_t* blue;
    const uint16_t* green;
    const uint16_t* red;
    bool identity;  // every table maps a level to itself
};

// Bayer pattern starts: 0 G R / B G, 1 R G / G B, 2 B G / G R, 3 G B / R G.
// Native samples are kept; a missing colour is the mean of its two nearest
// samples, or the mean of the means of the two pairs of its four nearest
// samples (borders mirrored).
void demosaicBayer(const SamplePlane& plane, uint8_t patternStart, const ColourTables& tables,
                   void* destination, const PixelLayout& layout);

// TRUESENSE: the 4 x 4 pattern P B P G / B P G P / P G P R / G P R P, cell
// `patternStart` at the top-left pixel. Native colour samples are kept; every
// other colour is the mean of that colour's samples in the 5 x 5 window around
// the pixel (moved inside the image at the borders). Panchromatic samples give
// no colour.
void demosaicTrueSense(const SamplePlane& plane, uint8_t patternStart, const ColourTables& tables,
                       void* destination, const PixelLayout& layout);

}  // namespace zamgrb::image

#endif
