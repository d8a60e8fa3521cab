// The value of one pixel of the current image, as the readout and the hex dump
// show it.
#pragma once

#include <QPoint>
#include <cstdint>

struct CurrentImage;

namespace display {

inline constexpr uint64_t kNoPixelValue = ~uint64_t(0);

// 8 bits: the sample; other depths below 24: the 16-bit sample; 24 bits: red +
// green * 2^8 + blue * 2^16; deeper colour: red + green * 2^16 + blue * 2^32.
// All ones when there is no pixel data or the point lies outside the image.
uint64_t GetPixelValue(const CurrentImage& image, QPoint point);

}  // namespace display
