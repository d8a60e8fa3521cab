// The capture timer queue on a clock the test steps: due order, periods, one-shot
// timers leaving, replacing and killing, and killing while a callback runs.
#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <future>
#include <string>
#include <vector>

#include "capture/CTimerQueue.h"

using namespace std::chrono_literals;

namespace {

struct Step {
    int64_t toMs;
    std::vector<uint32_t> fired;  // the new ones, in order
};

// A queue on a stepped clock that records what fired. Each step waits until as many
// fired as expected, then compares all: nothing fired wrongly goes unseen.
class Stepped {
public:
    CTimerQueue::Callback Record() {
        return [this](uint32_t id) {
            const std::lock_guard lock(mutex_);
            fired_.push_back(id);
            changed_.notify_all();
        };
    }
    void Run(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            ms_ = step.toMs;
            queue.Recheck();
            expected_.insert(expected_.end(), step.fired.begin(), step.fired.end());
            std::unique_lock lock(mutex_);
            // The bound only turns a timer that never fires into a failure, not a hang.
            changed_.wait_for(lock, 30s, [&] { return fired_.size() >= expected_.size(); });
            EXPECT_EQ(fired_, expected_) << "at " << step.toMs << " ms";
        }
    }

private:
    std::atomic<int64_t> ms_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<uint32_t> fired_, expected_;

public:
    CTimerQueue queue{[this] { return CTimerQueue::Clock::time_point(1ms * ms_.load()); }};
};

}  // namespace

TEST(TimerQueue, FiresInDueOrderAndOneShotsLeave) {
    Stepped t;
    t.queue.SetTimer(1, t.Record(), 5ms);
    t.queue.SetTimer(2, t.Record(), 10ms, 10ms);
    t.queue.SetTimer(3, t.Record(), 25ms);
    // At 35 ms timer 2 was due at 20 and 30: a missed period is skipped, not caught up.
    t.Run({{4, {}}, {5, {1}}, {10, {2}}, {19, {}}, {35, {2, 3}}, {39, {}}, {40, {2}}});
    EXPECT_FALSE(t.queue.IsSet(1));
    EXPECT_TRUE(t.queue.IsSet(2));
    EXPECT_FALSE(t.queue.IsSet(3));
}

TEST(TimerQueue, ReplaceKillAndKillAll) {
    Stepped t;
    t.queue.SetTimer(1, t.Record(), 10ms);
    t.queue.SetTimer(
        1, [record = t.Record()](uint32_t) { record(101); }, 20ms);
    t.queue.SetTimer(2, t.Record(), 10ms);
    t.queue.KillTimer(2);
    t.queue.SetTimer(3, t.Record(), 30ms);
    t.Run({{10, {}}, {30, {101, 3}}});
    t.queue.SetTimer(4, t.Record(), 10ms);
    t.queue.SetTimer(5, t.Record(), 5ms, 5ms);
    t.queue.KillAll();
    t.queue.SetTimer(6, t.Record(), 20ms);
    t.Run({{50, {6}}});
}

TEST(TimerQueue, KillingWhileACallbackRunsDoesNotWaitAndCallbacksMayRearm) {
    Stepped t;
    std::promise<void> entered, release;
    t.queue.SetTimer(
        1,
        [&, record = t.Record()](uint32_t id) {
            record(id);
            entered.set_value();
            release.get_future().wait();
        },
        0ms, 10ms);
    entered.get_future().wait();
    // Both return while the callback still runs; waiting for it would hang here.
    t.queue.KillTimer(1);
    t.queue.KillAll();
    EXPECT_FALSE(t.queue.IsSet(1));
    release.set_value();

    // A one-shot timer that sets itself again keeps the new timer.
    int runs = 0;
    CTimerQueue::Callback again = [&, record = t.Record()](uint32_t id) {
        if (++runs == 1)
            t.queue.SetTimer(2, again, 10ms);
        record(id);
    };
    t.queue.SetTimer(2, again, 0ms);
    t.queue.SetTimer(3, t.Record(), 20ms);
    t.Run({{0, {1, 2}}, {10, {2}}, {20, {3}}});
    EXPECT_FALSE(t.queue.IsSet(2));
}

TEST(TimerQueue, RunsOnTheSteadyClockOnANamedThread) {
    std::promise<std::string> thread;
    CTimerQueue queue;
    queue.SetTimer(
        1,
        [&](uint32_t) {
            char name[16] = {};
            pthread_getname_np(pthread_self(), name, sizeof name);
            thread.set_value(name);
        },
        0ms);
    queue.SetTimer(
        2, [](uint32_t) {}, 1h);
    EXPECT_EQ(thread.get_future().get(), "CaptureTimers");
    EXPECT_TRUE(queue.IsSet(2));
}
