// Acquisition: one delivery thread per grabbing channel that times the camera's
// frames, applies the overrun model and calls the frame callback.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "runtime.h"

namespace zamgrb {

class GrabSession {
public:
    GrabSession(ChannelRuntime& channel, PulseBank& pulses, FrameCallbackProc callback, void* context);
    // Stops the thread and waits for it: no callback runs after the destructor.
    ~GrabSession();
    GrabSession(const GrabSession&) = delete;
    GrabSession& operator=(const GrabSession&) = delete;

    bool onDeliveryThread() const { return std::this_thread::get_id() == thread_.get_id(); }

private:
    void run();
    // Waits until the card clock reaches t; false when stopped first.
    bool waitUntil(double t);

    ChannelRuntime& channel_;
    PulseBank& pulses_;
    FrameCallbackProc callback_;
    void* context_;
    std::mutex stopMutex_;
    std::condition_variable stopWake_;
    bool stop_ = false;
    // StartGrab's time: a trigger edge after it starts a frame, however late the thread runs.
    double started_;
    std::thread thread_;  // last: starts once everything above is ready
};

// Image buffers the card allocates per grabbing channel (counted against its memory).
inline constexpr uint64_t kImageBuffers = 4;

// True on the delivery thread of any channel (inside a frame callback).
bool onAnyDeliveryThread();

// Stops a channel's grab, if any. The caller holds channel.control and is not the
// delivery thread.
void stopGrab(ChannelRuntime& channel);

}  // namespace zamgrb
