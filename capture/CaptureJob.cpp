#include "capture/CaptureJob.h"

namespace capture {
namespace {

uint32_t Milliseconds(const CaptureDuration& duration) {
    const int64_t ms = DurationMs(duration);
    return ms > int64_t{UINT32_MAX} ? UINT32_MAX : uint32_t(ms);
}

}  // namespace

CaptureJob JobFrom(const CaptureSettings& settings) {
    CaptureJob job;
    job.record = settings.Current();
    job.saveType = settings.SaveType;
    job.imageType = settings.ImageType;
    job.normalize = settings.Normalize;
    job.jpgQuality = settings.JPGQuality;
    // Names take their extension from the record's copy of the image format.
    if (job.saveType != kSaveAvi)
        job.record.ImageType = job.imageType;
    return job;
}

CapturePlan PlanFor(const CaptureJob& job) {
    const CaptureOptionsRecord& r = job.record;
    CapturePlan plan;
    plan.singleFrame = job.saveType == kSaveSingleFrame;
    plan.bufferFrames = r.BufferFrames != 0;
    if (r.Event == kEventEvery && Milliseconds(r.captEvery) != 0) {
        plan.everyMs = Milliseconds(r.captEvery);
        plan.eventTimeMs = Milliseconds(r.LimitTime);
        plan.eventFrameLimit = r.LimitDisk;
    }
    plan.totalTimeMs = Milliseconds(r.TotalLimitTime);
    plan.totalFrameLimit = r.TotalLimitDisk;
    return plan;
}

}  // namespace capture
