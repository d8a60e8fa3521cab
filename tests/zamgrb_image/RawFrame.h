// Raw frames for the tests, built straight from the documented frame layout:
// samples in arrival order, stored in the documented storage forms. Written
// apart from the library so that a test does not restate the code it checks.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "zamgrb.h"

namespace rawframe {

struct Position {
    uint32_t x, y;
};

// Arrival order -> image position, written out by hand for small frames.
using Order = std::vector<Position>;

// One sample: a grey value, or B, G, R for the RGB depths.
struct Sample {
    uint32_t b, g, r;
};

// Stores `samples` (arrival order) in the form the configuration implies.
std::vector<uint8_t> pack(const CameraConfig& config, const std::vector<Sample>& samples);

// Samples of an image given per pixel, taken in the given arrival order.
std::vector<Sample> arrive(const Order& order, const std::function<Sample(uint32_t x, uint32_t y)>& image);

// The order of a frame whose every line period holds the given columns in
// arrival order and whose line periods run over rows 0, 1, ... (one channel, top-down).
Order rowsOf(const std::vector<uint32_t>& columns, uint32_t height);

CameraDescription describe(uint32_t width, uint32_t height, uint32_t depth, bool packed,
                           const TapConfig& taps);

}  // namespace rawframe
