// Current image records filled by hand, as ConvertFrame would fill them.
#pragma once

#include <cstdint>
#include <functional>

#include "display/CurrentImage.h"

namespace testimages {

// A description of width x height, bitDepth bits, colour format `colour`.
CameraDescription Description(int width, int height, int bitDepth, uint8_t colour = ZAMGRB_COLOR_NONE);

// Pixel data with `channels` samples per pixel of 1 or 2 bytes; sample(x, y, c)
// gives each channel's value (c = 0 blue, 1 green, 2 red).
void Fill(CurrentImage& image, const CameraDescription& d, int channels, int sampleBytes,
          const std::function<uint32_t(int x, int y, int c)>& sample);

}  // namespace testimages
