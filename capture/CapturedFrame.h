// One frame of a capture, copied off the card's buffers at arrival so that the
// card gets them back at once; the saving thread converts and writes it later.
#pragma once

#include <cstdint>
#include <memory>

#include "capture/SystemTime.h"
#include "display/PageBuffer.h"
#include "zamgrb.h"

namespace capture {

struct CaptureJob;

struct CapturedFrame {
    uint32_t frameNumber = 0;
    uint32_t timeStamp = 0;
    // The raw bytes as delivered, in whole pages of their own.
    PageBuffer data;
    uint32_t size = 0;
    // The channel's description when the frame arrived, with shared ownership
    // of the lookup table it points into: reloading a table never frees one a
    // queued frame still needs.
    CameraDescription description{};
    std::shared_ptr<const void> lutOwner;
    SystemTime localTime{};
    // Which capture of the engine took it, and what that capture writes.
    uint64_t captureId = 0;
    std::shared_ptr<const CaptureJob> job;
};

}  // namespace capture
