#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "SimMachine.h"

using simtest::FrameLog;
using simtest::OwnedChannel;
using simtest::SimMachine;

namespace {

// A tiny camera that runs as fast as the delivery thread can take frames.
const char* kFastCamera = R"("source": "ramp", "framePeriodUs": 0, "pixelClockMHz": 1000,
    "width": {"valid": 8, "post": 0}, "height": {"valid": 2, "post": 0})";

// Channel 1 configured for 8 bits through one tap.
void configure(const OwnedChannel& ch, uint32_t width, uint32_t height) {
    const CameraConfig config = simtest::configFor(width, height, 8);
    ASSERT_EQ(ConfigureChannel(ch.card, 0, &config), 0u);
}

TEST(Acquisition, FrameNumbersWrapAt65536) {
    SimMachine m(simtest::oneCamera(kFastCamera));
    OwnedChannel ch;
    configure(ch, 8, 2);
    struct Seen {
        std::atomic<uint32_t> count{0};
        std::atomic<bool> ordered{true};
        uint32_t last = 0;  // only the delivery thread touches it
    } seen;
    auto callback = [](void* ctx, const FrameInfo* f) {
        auto* s = static_cast<Seen*>(ctx);
        const uint32_t n = s->count.load();
        if (f->frameNumber != (n & 0xFFFF) || f->frameNumber > 0xFFFF)
            s->ordered = false;
        s->last = f->frameNumber;
        s->count.store(n + 1);
    };
    ASSERT_EQ(StartGrab(ch.card, 0, 1, callback, &seen), 0u);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (seen.count.load() < 65540 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(StopGrab(ch.card, 0), 0u);
    EXPECT_GE(seen.count.load(), 65540u);
    EXPECT_TRUE(seen.ordered.load()) << "frame n carries n modulo 65536";
}

TEST(Acquisition, StopGrabReturnsOnlyAfterTheLastCallbackReturned) {
    SimMachine m(simtest::oneCamera(kFastCamera));
    OwnedChannel ch;
    configure(ch, 8, 2);
    struct Slow {
        std::atomic<bool> inside{false};
        std::atomic<uint32_t> calls{0};
    } slow;
    auto callback = [](void* ctx, const FrameInfo*) {
        auto* s = static_cast<Slow*>(ctx);
        s->inside = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        s->calls.fetch_add(1);
        s->inside = false;
    };
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(StartGrab(ch.card, 0, 1, callback, &slow), 0u);
        while (!slow.inside.load())
            std::this_thread::yield();
        ASSERT_EQ(StopGrab(ch.card, 0), 0u);
        EXPECT_FALSE(slow.inside.load()) << "a callback still running after StopGrab";
        const uint32_t calls = slow.calls.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(slow.calls.load(), calls) << "a callback after StopGrab";
    }
    GrabStatistics st{};
    ASSERT_EQ(GetStatistics(ch.card, 0, &st), 0u);
    EXPECT_GT(st.dropCount, 0u) << "frames that came while the callback slept are dropped";
}

// Operations that would wait for the delivery thread are refused from its callback.
struct FromCallback {
    const char* name;
    uint32_t (*call)(uint64_t card);
};

class RefusedFromCallback : public testing::TestWithParam<FromCallback> {};

TEST_P(RefusedFromCallback, NotDeadlocked) {
    OwnedChannel ch;
    configure(ch, 640, 480);
    struct Ctx {
        uint64_t card;
        uint32_t (*call)(uint64_t);
        std::atomic<uint32_t> status{0};
        std::atomic<bool> done{false};
    } ctx{ch.card, GetParam().call};
    auto callback = [](void* c, const FrameInfo*) {
        auto* x = static_cast<Ctx*>(c);
        if (x->done.load())
            return;
        x->status = x->call(x->card);
        x->done = true;
    };
    ASSERT_EQ(StartGrab(ch.card, 0, 1, callback, &ctx), 0u);
    while (!ctx.done.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(StopGrab(ch.card, 0), 0u) << "the grab and its handle are still there";
    EXPECT_EQ(ctx.status.load(), uint32_t(ZAMGRB_FAILED));
}

INSTANTIATE_TEST_SUITE_P(
    Acquisition, RefusedFromCallback,
    testing::Values(FromCallback{"StopGrab", [](uint64_t card) { return StopGrab(card, 0); }},
                    FromCallback{"Reload", [](uint64_t) { return ZamgrbSimReload(); }}),
    [](const testing::TestParamInfo<FromCallback>& info) { return std::string(info.param.name); });

TEST(Acquisition, DefaultCameraDeliversAbout30FramesPerSecond) {
    OwnedChannel ch;
    const CameraConfig config = simtest::configFor(640, 480, 8);
    ASSERT_EQ(ConfigureChannel(ch.card, 0, &config), 0u);
    EXPECT_EQ(ConfigureChannel(ch.card, 0, nullptr), uint32_t(ZAMGRB_INVALID_ARGUMENT));
    FrameLog log;
    log.keepBytes = false;
    ASSERT_EQ(StartGrab(ch.card, 0, 1, FrameLog::callback, &log), 0u);
    EXPECT_EQ(ConfigureChannel(ch.card, 0, &config), uint32_t(ZAMGRB_BUSY)) << "not while grabbing";
    log.waitFor(10);
    ASSERT_EQ(StopGrab(ch.card, 0), 0u);
    ASSERT_GE(log.frames.size(), 10u);
    const double spanUs = double(log.frames.back().timeStamp - log.frames.front().timeStamp);
    EXPECT_NEAR(spanUs / double(log.frames.size() - 1), 33333.0, 2000.0);
    EXPECT_EQ(log.frames[0].bytes.size(), 640u * 480u);
    GrabStatistics st{};
    ASSERT_EQ(GetStatistics(ch.card, 0, &st), 0u);
    EXPECT_EQ(st.pixelClock, 20u);
    EXPECT_EQ(st.grabbingCount, log.frames.size());
    EXPECT_GE(st.grabbingRate, 9u);
    EXPECT_EQ(st.overrunCount, 0u);
}

// A callback that outlasts the frame period loses every frame that ends while it runs,
// and the thread delivers the first frame that ends after it returned. Statistics
// read meanwhile are ones the counters held: the counts only grow, and frames
// delivered never outrun the callbacks.
struct SlowCallback {
    uint32_t sleepMs;
    uint32_t lostPerCallback;  // at the least, with a 33.3 ms frame period
};

class DropsWhileTheCallbackRuns : public testing::TestWithParam<SlowCallback> {};

TEST_P(DropsWhileTheCallbackRuns, AreCountedAndNeverDeliveredLate) {
    SimMachine m(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 33333,
        "width": {"valid": 8, "post": 0}, "height": {"valid": 2, "post": 0})"));
    OwnedChannel ch;
    configure(ch, 8, 2);
    struct Ctx {
        FrameLog log;
        uint32_t sleepMs;
    } ctx{.log = {}, .sleepMs = GetParam().sleepMs};
    ctx.log.keepBytes = false;
    auto callback = [](void* c, const FrameInfo* f) {
        auto* x = static_cast<Ctx*>(c);
        FrameLog::callback(&x->log, f);
        std::this_thread::sleep_for(std::chrono::milliseconds(x->sleepMs));
    };
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(StartGrab(ch.card, 0, 1, callback, &ctx), 0u);
    GrabStatistics st{}, last{};
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    // Read once a frame, while its callback runs: often enough to meet the counting.
    for (uint64_t seen = 0; last.grabbingCount < 8 && std::chrono::steady_clock::now() < end;) {
        if (ctx.log.count.load() == seen) {
            std::this_thread::yield();
            continue;
        }
        seen = ctx.log.count.load();
        ASSERT_EQ(GetStatistics(ch.card, 0, &st), 0u);
        ASSERT_GE(st.grabbingCount, last.grabbingCount);
        ASSERT_GE(st.dropCount, last.dropCount);
        ASSERT_LE(st.grabbingCount, ctx.log.count.load());
        last = st;
    }
    ASSERT_EQ(StopGrab(ch.card, 0), 0u);
    const double grabUs =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count();
    ASSERT_EQ(GetStatistics(ch.card, 0, &st), 0u);
    const auto& frames = ctx.log.frames;
    ASSERT_GE(frames.size(), 8u);
    ASSERT_EQ(st.grabbingCount, frames.size());
    const uint32_t between = st.grabbingCount - 1;
    EXPECT_GE(st.dropCount, GetParam().lostPerCallback * between);
    // Every frame the camera sent between the first and the last delivered one was
    // delivered or dropped, and none was counted that it had not sent while the grab
    // ran (the last callback may run long on a busy machine).
    const double spanUs = double(frames.back().timeStamp - frames.front().timeStamp);
    EXPECT_GE(st.dropCount + between, uint32_t(std::lround(spanUs / 33333.0)));
    EXPECT_LE(st.dropCount + st.grabbingCount, uint32_t(grabUs / 33333.0) + 1);
}

INSTANTIATE_TEST_SUITE_P(Acquisition, DropsWhileTheCallbackRuns,
                         testing::Values(SlowCallback{40, 1}, SlowCallback{70, 2}));

// 512 x 512 10-bit at 4 taps and 40 MHz: about 513 frames per second. Unpacked
// (269 MB/s) that exceeds one lane at speed code 1 (187.5 MB/s); packed (179 MB/s) it fits.
TEST(Acquisition, TooFastForTheLinkOverrunsAndPackingCuresIt) {
    SimMachine m(simtest::oneCamera(R"("bitDepth": 10, "tapFormat": 10, "pixelClockMHz": 40,
        "framePeriodUs": 0, "width": {"valid": 512, "post": 88}, "height": {"valid": 512, "post": 8})",
                                    R"("link": {"lanes": 1, "speedCode": 1})"));
    OwnedChannel ch;
    for (uint32_t packed : {0u, 1u}) {
        const CameraConfig config = simtest::configFor(512, 512, 10, 10, packed);
        ASSERT_EQ(ConfigureChannel(ch.card, 0, &config), 0u);
        std::atomic<uint32_t> frames{0};
        auto count = [](void* c, const FrameInfo*) { static_cast<std::atomic<uint32_t>*>(c)->fetch_add(1); };
        ASSERT_EQ(StartGrab(ch.card, 0, 1, count, &frames), 0u);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_EQ(StopGrab(ch.card, 0), 0u);
        GrabStatistics st{};
        ASSERT_EQ(GetStatistics(ch.card, 0, &st), 0u);
        EXPECT_EQ(st.grabbingCount, frames.load());
        if (packed) {
            EXPECT_EQ(st.overrunCount, 0u);
            EXPECT_GT(st.grabbingCount, 5u);
        } else {
            EXPECT_GT(st.overrunCount, 5u);
            EXPECT_EQ(st.grabbingCount, 0u) << "the grabbing count stalls";
        }
    }
}

TEST(Acquisition, ImageBuffersBeyondTheCardsMemoryAnswer4) {
    SimMachine m(simtest::oneCamera("", R"("bufferMemory": 1000000)"));
    OwnedChannel ch;
    const CameraConfig big = simtest::configFor(640, 480, 8);  // 4 buffers of 307200 bytes
    const CameraConfig small = simtest::configFor(320, 240, 8);
    ASSERT_EQ(ConfigureChannel(ch.card, 0, &big), 0u);
    FrameLog log;
    EXPECT_EQ(StartGrab(ch.card, 0, 1, FrameLog::callback, &log), uint32_t(ZAMGRB_NO_BUFFERS));
    ASSERT_EQ(ConfigureChannel(ch.card, 0, &small), 0u);
    EXPECT_EQ(StartGrab(ch.card, 0, 1, FrameLog::callback, &log), 0u);
    EXPECT_EQ(StopGrab(ch.card, 0), 0u);
}

TEST(Acquisition, BadFramesAndUnplugging) {
    SimMachine m(
        simtest::oneCamera(std::string(kFastCamera) + R"(, "badFrames": [1, 3], "unplugAfterFrames": 6)"));
    OwnedChannel ch;
    configure(ch, 8, 2);
    FrameLog log;
    ASSERT_EQ(StartGrab(ch.card, 0, 1, FrameLog::callback, &log), 0u);
    log.waitFor(6);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    uint32_t online = 1;
    EXPECT_EQ(GetCameraStatus(ch.card, 0, &online), 0u);
    EXPECT_EQ(online, 0u);
    EXPECT_EQ(log.count.load(), 6u) << "frames stop with the camera";
    uint32_t clocks, lines;
    EXPECT_NE(MeasureSignal(ch.card, 0, &clocks, &lines), 0u) << "nothing to measure";

    ASSERT_EQ(ZamgrbSimInjectBadFrames(ch.card, 0, 2), 0u);
    ASSERT_EQ(ZamgrbSimSetCameraConnected(ch.card, 0, 1), 0u);
    log.waitFor(8);
    ASSERT_EQ(StopGrab(ch.card, 0), 0u);
    std::vector<uint32_t> statuses;
    for (const auto& f : log.frames)
        statuses.push_back(f.status != 0);
    ASSERT_GE(statuses.size(), 8u);
    EXPECT_EQ(std::vector<uint32_t>(statuses.begin(), statuses.begin() + 8),
              (std::vector<uint32_t>{0, 1, 0, 1, 0, 0, 1, 1}));
}

TEST(Acquisition, SignalMeasurementTheCardCannotDo) {
    SimMachine m(simtest::oneCamera("", R"("measuresSignal": false)"));
    OwnedChannel ch;
    uint32_t clocks, lines;
    EXPECT_EQ(MeasureSignal(ch.card, 0, &clocks, &lines), 254u);
}

}  // namespace
