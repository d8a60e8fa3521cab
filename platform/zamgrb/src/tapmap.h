// Where a sample of the raw frame lands in the image: the tap geometry.
#pragma once

#include <cstdint>

#include "zamgrb.h"

namespace zamgrb {

struct Point {
    uint32_t x, y;
};

// The image position of the sample sent at line period p, clock n, channel c and tap t
// of a frame of width x height pixels (width a multiple of the taps, height of the
// channels).
class TapMap {
public:
    TapMap(const TapConfig& config, uint32_t width, uint32_t height);
    Point at(uint32_t p, uint32_t n, uint32_t c, uint32_t t) const;

private:
    TapConfig config_;
    uint32_t width_, height_;
    uint32_t group_, segments_, segmentClocks_;
};

}  // namespace zamgrb
