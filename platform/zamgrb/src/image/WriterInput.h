// What the three image writers share: checking their arguments and reducing
// deep pixels to 8 bits.
#ifndef ZAMGRB_IMAGE_WRITER_INPUT_H
#define ZAMGRB_IMAGE_WRITER_INPUT_H

#include <cstdint>
#include <optional>
#include <vector>

#include "PixelLayout.h"

namespace zamgrb::image {

// The layout of the pixels a writer was handed; empty when an argument is
// missing or the description names no image a writer can read.
std::optional<PixelLayout> writerInput(const CameraDescription* description, const void* pixels,
                                       const char* path);

// The same image with every channel reduced to one byte (same channel count).
std::vector<uint8_t> reducedTo8Bits(const PixelLayout& layout, const void* pixels);

}  // namespace zamgrb::image

#endif
