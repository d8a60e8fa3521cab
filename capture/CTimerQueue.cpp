#include "capture/CTimerQueue.h"

#include <pthread.h>

#include <algorithm>

CTimerQueue::CTimerQueue(std::function<Clock::time_point()> now)
    : now_(std::move(now)), thread_([this] { Run(); }) {}

CTimerQueue::~CTimerQueue() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
        timers_.clear();
    }
    wake_.notify_one();
    thread_.join();
}

void CTimerQueue::SetTimer(uint32_t id, Callback callback, std::chrono::milliseconds due,
                           std::chrono::milliseconds period) {
    auto entry = std::make_shared<Entry>(Entry{id, std::move(callback), now_() + due, period});
    {
        const std::lock_guard lock(mutex_);
        timers_[id] = std::move(entry);
    }
    wake_.notify_one();
}

void CTimerQueue::KillTimer(uint32_t id) {
    const std::lock_guard lock(mutex_);
    timers_.erase(id);
}

void CTimerQueue::KillAll() {
    const std::lock_guard lock(mutex_);
    timers_.clear();
}

bool CTimerQueue::IsSet(uint32_t id) const {
    const std::lock_guard lock(mutex_);
    return timers_.contains(id);
}

void CTimerQueue::Recheck() {
    // Taking the lock orders the wake after the thread's look at the clock.
    { const std::lock_guard lock(mutex_); }
    wake_.notify_one();
}

void CTimerQueue::Run() {
    pthread_setname_np(pthread_self(), "CaptureTimers");
    std::unique_lock lock(mutex_);
    while (!quit_) {
        const auto earliest =
            std::min_element(timers_.begin(), timers_.end(),
                             [](const auto& a, const auto& b) { return a.second->due < b.second->due; });
        if (earliest == timers_.end()) {
            wake_.wait(lock);
            continue;
        }
        const auto now = now_();
        const std::shared_ptr<Entry> entry = earliest->second;
        if (entry->due > now) {
            wake_.wait_for(lock, entry->due - now);
            continue;
        }
        // A period missed while the thread was late is skipped, not caught up.
        if (entry->period > Clock::duration::zero()) {
            while (entry->due <= now)
                entry->due += entry->period;
        }
        lock.unlock();
        entry->callback(entry->id);
        lock.lock();
        // Only this very timer goes: the callback may have set a new one of its id.
        const auto it = timers_.find(entry->id);
        if (entry->period == Clock::duration::zero() && it != timers_.end() && it->second == entry)
            timers_.erase(it);
    }
}
