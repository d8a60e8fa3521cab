// The white-balance measurement: the channel means of a raw frame as the display
// conversion sees it with unity gains.
#pragma once

#include <optional>

#include "camera/RgbRules.h"
#include "zamgrb.h"

namespace rgbcontrol {

// Red, green and blue means of the raw frame converted in four channels with the
// description's offsets and gains of 1; empty when the frame does not convert to
// four channels (a monochrome camera) or its buffer cannot be had.
std::optional<Triple> MeasureMeans(const CameraDescription& description, const void* raw);

}  // namespace rgbcontrol
