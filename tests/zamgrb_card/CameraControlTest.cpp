#include <gtest/gtest.h>

#include <thread>

#include "SimMachine.h"

using simtest::FrameLog;
using simtest::OwnedChannel;
using simtest::SimMachine;

namespace {

// Two small cameras in trigger mode.
const std::string kTriggered = R"({"cards": [{"channels": [
    {"camera": {"trigger": true, "source": "ramp", "width": {"valid": 8, "post": 0}, "height": {"valid": 2, "post": 0}}},
    {"camera": {"trigger": true, "source": "ramp", "width": {"valid": 8, "post": 0}, "height": {"valid": 2, "post": 0}}}]}]})";

// 10 ms period: granularity 1000 (10 us) x 1000 cycles.
PulseGeneratorSettings burst(uint16_t pulses) {
    return {.mode = 1,
            .pulseCount = pulses,
            .granularity = 1000,
            .masterWidth = 100,
            .masterPeriod = 1000,
            .slaveWidth = 100,
            .slaveDelay = 200};
}

struct Grab {
    Grab(uint64_t card, uint8_t channel) : card(card), channel(channel) {
        const CameraConfig config = simtest::configFor(8, 2, 8);
        EXPECT_EQ(ConfigureChannel(card, channel, &config), 0u);
        EXPECT_EQ(StartGrab(card, channel, 1, FrameLog::callback, &log), 0u);
    }
    ~Grab() { StopGrab(card, channel); }
    uint64_t card;
    uint8_t channel;
    FrameLog log;
};

TEST(CameraControl, ABurstOfSevenPulsesInTriggerModeGivesSevenFrames) {
    SimMachine m(kTriggered);
    OwnedChannel ch;
    Grab grab(ch.card, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(grab.log.count.load(), 0u) << "no trigger, no frame";

    const PulseGeneratorSettings p = burst(7);
    const CameraControlSettings cc{{2, 0, 0, 0}};  // CC1 = master pulse
    ASSERT_EQ(SetPulseGenerator(ch.card, 0, &p), 0u);
    ASSERT_EQ(SetCameraControl(ch.card, 0, &cc), 0u);
    ASSERT_EQ(EnablePulseGenerator(ch.card, 0, 1), 0u);
    grab.log.waitFor(7);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(grab.log.count.load(), 7u);
    uint64_t master = 0, slave = 0;
    ASSERT_EQ(ZamgrbSimGetPulseCounters(ch.card, 0, &master, &slave), 0u);
    EXPECT_EQ(master, 7u);
    EXPECT_EQ(slave, 7u);
    // Frames follow the pulses 10 ms apart.
    std::lock_guard lock(grab.log.mutex);
    for (size_t i = 1; i < grab.log.frames.size(); ++i)
        EXPECT_NEAR(double(grab.log.frames[i].timeStamp - grab.log.frames[i - 1].timeStamp), 10000.0, 50.0);
}

// A 10 ns pulse train on CC1 puts a million edges into each 10 ms readout; the camera
// ignores them all and starts the next frame as soon as the previous one is out, so the
// frames follow each other at the readout time.
TEST(CameraControl, AFastPulseTrainTriggersAFramePerReadout) {
    SimMachine m(R"({"cards": [{"channels": [{"camera": {"trigger": true, "source": "ramp",
        "pixelClockMHz": 1, "width": {"valid": 100, "post": 0}, "height": {"valid": 100, "post": 0}}}]}]})");
    OwnedChannel ch;
    const PulseGeneratorSettings p{.mode = 0, .granularity = 1, .masterWidth = 1, .masterPeriod = 1};
    const CameraControlSettings cc{{2, 0, 0, 0}};
    ASSERT_EQ(SetPulseGenerator(ch.card, 0, &p), 0u);
    ASSERT_EQ(SetCameraControl(ch.card, 0, &cc), 0u);
    ASSERT_EQ(EnablePulseGenerator(ch.card, 0, 1), 0u);
    const auto start = std::chrono::steady_clock::now();
    {
        Grab grab(ch.card, 0);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const double elapsedUs = double(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
                .count());
        // About one frame per 10 ms readout; a thread stepping over the edges one by one
        // managed a seventh of that.
        EXPECT_GE(double(grab.log.count.load()), 0.4 * elapsedUs / 10000.0);
    }
    EXPECT_EQ(EnablePulseGenerator(ch.card, 0, 0), 0u);
}

// The camera waits for the next edge of a running generator; stopped before that
// edge, the generator never sends it, and no frame comes for it.
TEST(CameraControl, AnEdgeNotSentTriggersNoFrame) {
    SimMachine m(kTriggered);
    OwnedChannel ch;
    Grab grab(ch.card, 0);
    PulseGeneratorSettings p = burst(1);
    p.mode = 0, p.masterPeriod = 5000;  // 50 ms
    const CameraControlSettings cc{{2, 0, 0, 0}};
    ASSERT_EQ(SetPulseGenerator(ch.card, 0, &p), 0u);
    ASSERT_EQ(SetCameraControl(ch.card, 0, &cc), 0u);
    ASSERT_EQ(EnablePulseGenerator(ch.card, 0, 1), 0u);
    grab.log.waitFor(2);
    ASSERT_EQ(EnablePulseGenerator(ch.card, 0, 0), 0u);
    uint64_t master = 0;
    ASSERT_EQ(ZamgrbSimGetPulseCounters(ch.card, 0, &master, nullptr), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));  // past the edge not sent
    EXPECT_EQ(grab.log.count.load(), master);
}

TEST(CameraControl, LinesFollowTheirSources) {
    SimMachine m(kTriggered);
    OwnedChannel ch1(0), ch2(1);
    Grab grab(ch2.card, 1);
    const PulseGeneratorSettings p = burst(3);
    ASSERT_EQ(SetPulseGenerator(ch1.card, 0, &p), 0u);

    struct Case {
        uint32_t source;
        uint64_t frames;
    };
    // The other channel's pulses, its inverted slave; a constant low gives nothing.
    for (const Case& c : {Case{0, 0}, Case{6, 3}, Case{9, 3}}) {
        const CameraControlSettings cc{{c.source, 0, 0, 0}};
        ASSERT_EQ(SetCameraControl(ch2.card, 1, &cc), 0u);
        const uint64_t before = grab.log.count.load();
        ASSERT_EQ(EnablePulseGenerator(ch1.card, 0, 1), 0u);
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        ASSERT_EQ(EnablePulseGenerator(ch1.card, 0, 0), 0u);
        EXPECT_EQ(grab.log.count.load() - before, c.frames) << "source " << c.source;
    }
    // Setting CC1 from '0' to '1' is one rising edge: one frame.
    const uint64_t before = grab.log.count.load();
    const CameraControlSettings low{{0, 0, 0, 0}}, high{{1, 0, 0, 0}};
    ASSERT_EQ(SetCameraControl(ch2.card, 1, &low), 0u);
    ASSERT_EQ(SetCameraControl(ch2.card, 1, &high), 0u);
    grab.log.waitFor(before + 1, std::chrono::seconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(grab.log.count.load(), before + 1);

    const CameraControlSettings bad{{10, 0, 0, 0}};
    EXPECT_NE(SetCameraControl(ch2.card, 1, &bad), 0u);
    EXPECT_NE(SetPulseGenerator(ch2.card, 0, &p), 0u) << "channel 1 is not owned through this handle";
}

TEST(CameraControl, AContinuousGeneratorRunsAtItsFrequency) {
    OwnedChannel ch;
    // 1 us cycles, 100 us period: 10 kHz.
    PulseGeneratorSettings p = burst(1);
    p.mode = 0, p.granularity = 100, p.masterPeriod = 100, p.masterWidth = 10;
    ASSERT_EQ(SetPulseGenerator(ch.card, 0, &p), 0u);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(EnablePulseGenerator(ch.card, 0, 1), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(EnablePulseGenerator(ch.card, 0, 0), 0u);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    uint64_t master = 0;
    ASSERT_EQ(ZamgrbSimGetPulseCounters(ch.card, 0, &master, nullptr), 0u);
    EXPECT_GE(master, 1000u);
    EXPECT_LE(double(master), ms * 10 + 1);
}

}  // namespace
