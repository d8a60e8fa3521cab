// The capture queue and saving thread, driven as the delivery thread and the
// user interface drive it; timers are fired by hand, never waited for.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "capture/CaptureEngine.h"

using namespace capture;
using Stop = CaptureEngine::StopReason;

namespace {

constexpr uint32_t frameBytes = 4096;

// Records what the saving thread hands it; fails the frames it is told to.
class RecordingSaver : public FrameSaver {
public:
    Result save(const CapturedFrame& frame, uint32_t passIndex) override {
        std::unique_lock lock(mutex);
        gate.wait(lock, [this] { return open; });
        Result result;
        result.path = "frame" + std::to_string(frame.frameNumber);
        if (failing.count(frame.frameNumber)) {
            result.ok = false;
            result.reason = "No space left on device";
            result.discardQueue = discardOnFailure;
        } else {
            saved.push_back(frame.frameNumber);
            passIndices.push_back(passIndex);
            firstBytes.push_back(frame.data.data()[0]);
        }
        return result;
    }
    void endPass(bool framesSeen) override {
        std::lock_guard lock(mutex);
        passes.push_back(framesSeen);
    }
    uint32_t queueLimit() const override { return limit; }
    void hold() {
        std::lock_guard lock(mutex);
        open = false;
    }
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        gate.notify_all();
    }

    std::mutex mutex;
    std::condition_variable gate;
    bool open = true;
    std::set<uint32_t> failing;
    bool discardOnFailure = false;  // set before the capture starts
    uint32_t limit = 0;
    std::vector<uint32_t> saved, passIndices;
    std::vector<uint8_t> firstBytes;
    std::vector<bool> passes;
};

struct Events {
    std::mutex mutex;
    std::vector<Stop> stops;
    std::vector<std::pair<uint32_t, bool>> failures;  // frame-file index, first of capture
    std::vector<uint32_t> progress;
    uint32_t outOfMemoryFrames = 0;
    int outOfMemoryCalls = 0;
};

class CaptureEngineTest : public ::testing::Test {
protected:
    CaptureEngineTest() {
        CaptureEngine::Hooks hooks;
        hooks.stoppedItself = [this](CaptureEngine::StopReason why) {
            std::lock_guard lock(events.mutex);
            events.stops.push_back(why);
        };
        hooks.outOfMemory = [this](uint32_t frames, uint64_t) {
            std::lock_guard lock(events.mutex);
            events.outOfMemoryFrames = frames;
            ++events.outOfMemoryCalls;
        };
        hooks.fileFailed = [this](const FrameSaver::Result& result, bool first) {
            std::lock_guard lock(events.mutex);
            events.failures.emplace_back(uint32_t(std::stoul(result.path.substr(5))), first);
        };
        hooks.progress = [this](uint32_t stillQueued) {
            std::lock_guard lock(events.mutex);
            events.progress.push_back(stillQueued);
        };
        engine = std::make_unique<CaptureEngine>(saver, timers, hooks);
        engine->setMemoryBudget(uint64_t(1) << 30);
    }

    void deliver(uint32_t number) {
        std::vector<uint8_t> bytes(frameBytes, uint8_t(number));
        FrameInfo frame{number, number * 1000, bytes.data(), frameBytes, 0};
        engine->EnqueueCapturedFrame(frame);
    }

    // The capture timers' expiry, as the timer thread would call it.
    void fire(uint32_t id) { engine->onTimer(id, captures); }
    void finish() {
        engine->stop();
        engine->waitUntilSaved();
    }
    void startCapture(const CapturePlan& plan) {
        engine->start(plan);
        ++captures;
    }

    uint64_t captures = 0;
    RecordingSaver saver;
    CTimerQueue timers;
    Events events;
    std::unique_ptr<CaptureEngine> engine;
};

TEST_F(CaptureEngineTest, SingleFrameTakesExactlyOneFramePerStart) {
    for (int press = 0; press < 2; ++press) {
        startCapture({.singleFrame = true});
        for (uint32_t n = 0; n < 3; ++n)
            deliver(10 * press + n);
        EXPECT_FALSE(engine->isOn());
        finish();
    }
    EXPECT_EQ(saver.saved, (std::vector<uint32_t>{0, 10}));
    EXPECT_EQ(saver.passIndices, (std::vector<uint32_t>{0, 0}));
    EXPECT_EQ(saver.passes, (std::vector<bool>{true, true}));
    EXPECT_EQ(events.stops, (std::vector<Stop>{Stop::SingleFrame, Stop::SingleFrame}));
}

TEST_F(CaptureEngineTest, LimitsEndEventsAndCaptures) {
    // Every 10 h for 1 h (the timers are fired by hand), at most 5 frames an event, 12 frames in all.
    startCapture({.everyMs = 36000000, .eventTimeMs = 3600000, .eventFrameLimit = 5, .totalFrameLimit = 12});
    uint32_t number = 0;
    for (; number < 8; ++number)
        deliver(number);  // 5 taken, 3 after the event's limit
    fire(3);              // the next event
    for (; number < 10; ++number)
        deliver(number);  // 2 taken
    fire(2);              // the event's time is over
    deliver(number++);    // not taken
    fire(3);
    for (; number < 20; ++number)
        deliver(number);  // 5 taken: the 12th frame ends the capture
    EXPECT_FALSE(engine->isOn());
    finish();
    EXPECT_EQ(saver.saved, (std::vector<uint32_t>{0, 1, 2, 3, 4, 8, 9, 11, 12, 13, 14, 15}));
    EXPECT_EQ(events.stops, (std::vector<Stop>{Stop::FrameLimit}));

    startCapture({.totalTimeMs = 3600000});
    deliver(100);
    fire(1);
    deliver(101);
    finish();
    EXPECT_EQ(saver.saved.back(), 100u);
    EXPECT_EQ(events.stops.back(), Stop::TimeLimit);
}

TEST_F(CaptureEngineTest, BufferedFramesAreWrittenOnlyAfterTheStop) {
    startCapture({.bufferFrames = true});
    for (uint32_t n = 0; n < 6; ++n)
        deliver(n);
    // The saving thread has no writing pass until the stop: nothing can be written.
    EXPECT_EQ(engine->counts().written, 0u);
    EXPECT_EQ(engine->stop(), 6u);
    engine->waitUntilSaved();
    EXPECT_EQ(saver.saved, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(saver.passIndices, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(events.progress, (std::vector<uint32_t>{5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(saver.firstBytes[3], 3);
}

TEST_F(CaptureEngineTest, MemoryRunningOutStopsTheCaptureAndKeepsWhatWasQueued) {
    engine->setMemoryBudget(frameBytes * 2 + frameBytes / 2);
    startCapture({.bufferFrames = true});
    for (uint32_t n = 0; n < 4; ++n)
        deliver(n);
    EXPECT_FALSE(engine->isOn());
    finish();
    EXPECT_EQ(saver.saved, (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(events.outOfMemoryCalls, 1);
    EXPECT_EQ(events.outOfMemoryFrames, 2u);
    const CaptureCounts counts = engine->counts();
    EXPECT_EQ(counts.offered, 3u);
    EXPECT_EQ(counts.lostQueue, 1u);
    EXPECT_EQ(events.stops, (std::vector<Stop>{Stop::OutOfMemory}));
}

TEST_F(CaptureEngineTest, AFileThatCannotBeWrittenStopsTheCaptureAndIsCounted) {
    saver.failing = {1, 2};
    startCapture({.bufferFrames = true});
    for (uint32_t n = 0; n < 4; ++n)
        deliver(n);
    finish();
    // Frames queued before the failure are still tried: 3 is written.
    EXPECT_EQ(saver.saved, (std::vector<uint32_t>{0, 3}));
    EXPECT_EQ(events.failures, (std::vector<std::pair<uint32_t, bool>>{{1, true}, {2, false}}));
    const CaptureCounts counts = engine->counts();
    EXPECT_EQ(counts.written, 2u);
    EXPECT_EQ(counts.lostDisk, 2u);
    EXPECT_EQ(counts.bytesWritten, 2u * frameBytes);
}

// A clip frame that fails takes the rest of its capture's queue with it; while
// the saver limits the queue, frames beyond the limit are dropped on arrival.
TEST_F(CaptureEngineTest, AFailedClipDropsItsQueueAndAFullClipQueueDropsNewFrames) {
    saver.failing = {1};
    saver.discardOnFailure = true;
    saver.limit = 2;
    startCapture({.bufferFrames = true});
    for (uint32_t n = 0; n < 4; ++n)
        deliver(n);  // no limit before the first frame is written
    finish();
    EXPECT_EQ(saver.saved, (std::vector<uint32_t>{0}));
    EXPECT_EQ(engine->counts().lostDisk, 3u);
    startCapture({.bufferFrames = true});
    for (uint32_t n = 10; n < 15; ++n)
        deliver(n);
    finish();
    EXPECT_EQ(saver.saved, (std::vector<uint32_t>{0, 10, 11, 12}));
    EXPECT_EQ(engine->counts().lostQueue, 2u);
}

TEST_F(CaptureEngineTest, QueuedFramesKeepTheirLookupTable) {
    auto table = std::make_shared<std::vector<int32_t>>(256, 7);
    std::weak_ptr<const void> watch = table;
    CameraDescription description{};
    description.lutValues = table->data();
    engine->setDescription(description, table);
    table.reset();
    saver.hold();
    startCapture({});
    deliver(0);
    engine->setDescription(CameraDescription{}, nullptr);  // a new table is loaded
    EXPECT_FALSE(watch.expired());
    saver.release();
    finish();
    EXPECT_TRUE(watch.expired());
}

TEST_F(CaptureEngineTest, ARestartBeforeTheSavingThreadSawTheStopLosesNothing) {
    saver.hold();
    for (uint32_t run = 0; run < 3; ++run) {
        startCapture({});
        deliver(run);
        engine->stop();
    }
    saver.release();
    engine->waitUntilSaved();
    EXPECT_EQ(saver.saved, (std::vector<uint32_t>{0, 1, 2}));
}

// Frames arrive on their own thread while the saver is slow and the user
// interface reads the counts: every frame is written once, in order.
TEST_F(CaptureEngineTest, FramesFromTheDeliveryThreadAreWrittenInOrder) {
    constexpr uint32_t frames = 300;
    startCapture({});
    std::atomic<bool> delivered{false};
    std::thread delivery([&] {
        for (uint32_t n = 0; n < frames; ++n)
            deliver(n);
        delivered = true;
    });
    uint64_t lastQueued = 0;
    while (!delivered) {
        const CaptureCounts counts = engine->counts();
        EXPECT_GE(counts.queued, lastQueued);
        EXPECT_LE(counts.written, counts.queued);
        lastQueued = counts.queued;
    }
    delivery.join();
    finish();
    ASSERT_EQ(saver.saved.size(), frames);
    for (uint32_t n = 0; n < frames; ++n)
        ASSERT_EQ(saver.saved[n], n);
}

}  // namespace
