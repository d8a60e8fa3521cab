// What one capture writes, fixed when it starts: the options of its mode and the
// image settings. Frames keep the job they were taken for, so changing the
// settings while frames are still being written changes only later captures.
#pragma once

#include <cstdint>

#include "capture/CaptureEngine.h"
#include "capture/CaptureOptionsRecord.h"
#include "capture/CaptureSettings.h"

namespace capture {

struct CaptureJob {
    CaptureOptionsRecord record{};
    uint32_t saveType = kSaveSingleFrame;
    uint32_t imageType = kImageBmp;
    bool normalize = false;
    uint32_t jpgQuality = 0;
};

// The current mode's job.
CaptureJob JobFrom(const CaptureSettings& settings);

// The limits and timers of a job: frame limits and durations in milliseconds,
// capture events only when the mode takes frames every so often.
CapturePlan PlanFor(const CaptureJob& job);

}  // namespace capture
