// What the AVI options page asks of the clip writer: its compressors, the one to
// use, and that compressor's options dialog.
#pragma once

#include <cstdint>
#include <functional>

#include "capture/CAVIWriter.h"
#include "capture/CCaptureOptions.h"

namespace capture {

// report shows a failing result to the user and answers true for a failure.
CaptureOptionsSources ClipOptionSources(CAVIWriter& writer, std::function<bool(int32_t)> report);

}  // namespace capture
