// The rules that turn a captured frame's description into what ConvertFrame and
// the card library's image writers are handed.
#pragma once

#include <cstdint>

#include "capture/CaptureIds.h"
#include "zamgrb.h"

namespace capture {

// ConvertFrame flags of a frame: 4 for BMP, JPEG and clip frames; 5 for TIFF, 7
// with Normalize (which therefore changes TIFF files only).
uint8_t ConversionFlags(uint32_t imageType, bool normalize, bool clipFrame);

// Bytes per pixel of a converted image by the depth ConvertFrame reports.
uint32_t BytesPerPixel(uint32_t convertedDepth);

// The description of the converted image for the writers: no blanking, not packed,
// standard tap format 1, no lookup table, neutral colour offsets and gains, and the
// converted depth (four-channel colour counted as three channels, the unused one
// dropped). `flags` comes in as the conversion flags and leaves as the writer's.
CameraDescription WriterDescription(const CameraDescription& frame, uint32_t convertedDepth, uint8_t& flags);

// JPEG quality of the capture setting JPGQuality: 100 - 10 x JPGQuality, 0 the best
// (100) and 9 and above the smallest (10).
uint8_t JpegQuality(uint32_t jpgQuality);

}  // namespace capture
