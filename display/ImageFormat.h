// What a camera description means for the display: image kind, size and depths.
#pragma once

#include <cstdint>

#include "zamgrb.h"

struct CurrentImage;

namespace display {

enum class ImageKind { Mono8, MonoDeep, Colour8, ColourDeep };

struct ImageFormat {
    int width = 0;
    int height = 0;
    int bitDepth = 0;        // bitDepth of the description
    bool colour = false;     // several channels per pixel
    int bitsPerChannel = 0;  // bitDepth / 3 from 24 bits on, else bitDepth
    ImageKind kind = ImageKind::Mono8;
    int bytesPerChannel() const { return bitsPerChannel == 8 ? 1 : 2; }
};

ImageFormat FormatOf(const CameraDescription& description);

// Bits of one pixel value as the readout combines them: the depth, tripled for
// a colour camera (a Bayer 8-bit camera delivers 24 bits).
int ValueBits(const CameraDescription& description);

// Channels per pixel of the converted data (1, 3 or 4), or 0 when the pixel
// data does not hold a whole image of this format: the row step must be a whole
// number of pixels of a valid channel count and every row must be present.
int PixelChannels(const CurrentImage& image);

}  // namespace display
