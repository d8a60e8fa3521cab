// Timers on one named thread. A timer calls its callback on that thread at its due
// time and then every period; a timer without a period fires once and then removes
// itself. Killing a timer never waits for a callback that is running (the callback
// may well be the one asking); destruction does.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

class CTimerQueue {
public:
    using Clock = std::chrono::steady_clock;
    using Callback = std::function<void(uint32_t id)>;

    // `now` tells the time: the steady clock, or one that a test steps (calling
    // Recheck after each step).
    explicit CTimerQueue(std::function<Clock::time_point()> now = Clock::now);
    // Waits for a callback that is running; never call it from a callback.
    ~CTimerQueue();
    CTimerQueue(const CTimerQueue&) = delete;
    CTimerQueue& operator=(const CTimerQueue&) = delete;

    // Starts timer `id`, replacing a timer of that id: first after `due`, then every
    // `period` (zero: once). Callbacks may set and kill timers.
    void SetTimer(uint32_t id, Callback callback, std::chrono::milliseconds due,
                  std::chrono::milliseconds period = {});
    void KillTimer(uint32_t id);
    void KillAll();
    // Whether timer `id` is set; a one-shot timer is no longer once it has fired.
    bool IsSet(uint32_t id) const;
    // Makes the timer thread read the clock again, for a clock that jumps.
    void Recheck();

private:
    struct Entry {
        uint32_t id;
        Callback callback;
        Clock::time_point due;
        Clock::duration period;
    };

    void Run();

    const std::function<Clock::time_point()> now_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::map<uint32_t, std::shared_ptr<Entry>> timers_;
    bool quit_ = false;
    std::thread thread_;
};
