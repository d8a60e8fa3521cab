#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "app/FrameGate.h"

namespace {

struct Probe {
    std::atomic<int> captured{0}, posted{0};
    std::atomic<bool> freeze{false};
};

FrameGate::Hooks hooksFor(Probe& p) {
    return {[&p](const FrameInfo&) { ++p.captured; }, [&p] { return p.freeze.load(); }, [&p] { ++p.posted; }};
}

FrameInfo frame(const std::vector<uint8_t>& bytes, uint32_t status = 0) {
    FrameInfo f{};
    f.data = bytes.data();
    f.size = uint32_t(bytes.size());
    f.status = status;
    f.timeStamp = 42;
    return f;
}

TEST(FrameGate, WhatReachesCaptureAndDisplay) {
    const std::vector<uint8_t> bytes(4096 * 3 + 5, 0x5A);
    struct Case {
        const char* name;
        uint32_t status;
        bool freeze;
        int captured, shown;
    };
    const Case cases[] = {
        {"a good frame goes everywhere", 0, false, 1, 1},
        {"a bad frame goes nowhere", 7, false, 0, 0},
        {"a frozen live view still captures", 0, true, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentImage image;
        std::mutex lock;
        Probe probe;
        probe.freeze = c.freeze;
        FrameGate gate(image, lock, hooksFor(probe));
        gate.OnFrame(frame(bytes, c.status));
        EXPECT_EQ(probe.captured, c.captured);
        EXPECT_EQ(int(gate.shownFrames()), c.shown);
        EXPECT_EQ(probe.posted, c.shown);
        if (c.shown) {
            ASSERT_EQ(image.rawFrame.size(), bytes.size());
            EXPECT_EQ(image.rawFrame.data()[bytes.size() - 1], 0x5A);
        }
    }
}

TEST(FrameGate, OneImageReadyCallWaitsAtATime) {
    CurrentImage image;
    std::mutex lock;
    Probe probe;
    FrameGate gate(image, lock, hooksFor(probe));
    std::vector<uint8_t> bytes(100);
    for (int i = 0; i < 5; ++i) {
        bytes[0] = uint8_t(i);
        FrameInfo f = frame(bytes);
        f.timeStamp = uint32_t(1000 + i);
        gate.OnFrame(f);
    }
    EXPECT_EQ(probe.posted, 1) << "a slow user interface does not pile up calls";
    EXPECT_EQ(image.rawFrame.data()[0], 4) << "the buffer holds the newest frame";
    EXPECT_EQ(image.timeStamp, 1004u) << "and its time stamp, not the one of the frame that posted";
    gate.ImageReadyTaken();
    gate.OnFrame(frame(bytes));
    EXPECT_EQ(probe.posted, 2);
    EXPECT_EQ(probe.captured, 6);
}

TEST(FrameGate, ANewFrameSizeGetsItsOwnBuffer) {
    CurrentImage image;
    std::mutex lock;
    Probe probe;
    FrameGate gate(image, lock, hooksFor(probe));
    gate.OnFrame(frame(std::vector<uint8_t>(1000, 1)));
    gate.OnFrame(frame(std::vector<uint8_t>(5000, 2)));
    EXPECT_EQ(image.rawFrame.size(), 5000u);
    EXPECT_EQ(image.rawFrame.data()[4999], 2);
}

// The delivery thread never waits: with the lock held by another thread, every
// frame returns at once and is captured; the counters are read while it delivers,
// and once the lock is free frames show again.
TEST(FrameGate, ADeliveryThreadNeverWaitsForTheLock) {
    CurrentImage image;
    std::mutex lock;
    Probe probe;
    FrameGate gate(image, lock, hooksFor(probe));
    const std::vector<uint8_t> bytes(1 << 16, 3);
    std::unique_lock held(lock);
    std::thread delivery([&] {
        for (int i = 0; i < 200; ++i)
            gate.OnFrame(frame(bytes));
    });
    while (gate.skippedFrames() < 200) {  // never ends if a frame waits for the lock
        ASSERT_EQ(gate.shownFrames(), 0u);
        std::this_thread::yield();
    }
    delivery.join();
    held.unlock();
    EXPECT_EQ(probe.captured, 200);
    gate.OnFrame(frame(bytes));
    EXPECT_EQ(gate.shownFrames(), 1u) << "display resumes";
    EXPECT_EQ(probe.posted, 1);
}

}  // namespace
