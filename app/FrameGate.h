// The road of a frame from the card's delivery thread to the user-interface
// thread: capture first, then one copy into the current image when the frame
// lock is free, then a queued image-ready call. Nothing here ever waits.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "display/CurrentImage.h"
#include "zamgrb.h"

class FrameGate {
public:
    struct Hooks {
        // Offered every good frame before anything else; must not block.
        std::function<void(const FrameInfo& frame)> enqueueCapturedFrame;
        // True while a capture freezes the live view.
        std::function<bool()> freezeLive;
        // Queues the image-ready call to the user-interface thread.
        std::function<void()> postImageReady;
    };

    FrameGate(CurrentImage& image, std::mutex& frameLock, Hooks hooks);

    // The card library's frame callback; context is the gate.
    static void FrameCallback(void* context, const FrameInfo* frame);
    void OnFrame(const FrameInfo& frame);

    // Called by the image-ready handler when it starts: the next copied frame
    // posts again. One call stays queued at most, so a slow user interface
    // never piles up calls; the buffer always holds the newest frame.
    void ImageReadyTaken() { readyPending_.store(false, std::memory_order_release); }

    // Frames copied for display, and good frames not shown because the lock was
    // held, the live view was frozen or no buffer could be had.
    uint64_t shownFrames() const { return shown_.load(std::memory_order_relaxed); }
    uint64_t skippedFrames() const { return skipped_.load(std::memory_order_relaxed); }

private:
    CurrentImage& image_;
    std::mutex& frameLock_;
    Hooks hooks_;
    std::atomic<bool> readyPending_{false};
    std::atomic<uint64_t> shown_{0}, skipped_{0};
};
