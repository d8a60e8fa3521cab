#include "app/FrameGate.h"

#include <cstring>

FrameGate::FrameGate(CurrentImage& image, std::mutex& frameLock, Hooks hooks)
    : image_(image), frameLock_(frameLock), hooks_(std::move(hooks)) {}

void FrameGate::FrameCallback(void* context, const FrameInfo* frame) {
    if (context && frame)
        static_cast<FrameGate*>(context)->OnFrame(*frame);
}

void FrameGate::OnFrame(const FrameInfo& frame) {
    if (frame.status != 0 || !frame.data)
        return;
    if (hooks_.enqueueCapturedFrame)
        hooks_.enqueueCapturedFrame(frame);
    if (hooks_.freezeLive && hooks_.freezeLive()) {
        skipped_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    std::unique_lock lock(frameLock_, std::try_to_lock);
    if (!lock.owns_lock()) {
        skipped_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    // The buffer is sized by the first frame after each reconfiguration; a frame
    // of another size (the card changed its mind) gets a buffer of its own size.
    if (image_.rawFrame.size() != frame.size && !image_.rawFrame.allocate(frame.size)) {
        skipped_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    std::memcpy(image_.rawFrame.data(), frame.data, frame.size);
    image_.timeStamp = frame.timeStamp;
    lock.unlock();
    shown_.fetch_add(1, std::memory_order_relaxed);
    if (!readyPending_.exchange(true, std::memory_order_acq_rel) && hooks_.postImageReady)
        hooks_.postImageReady();
}
