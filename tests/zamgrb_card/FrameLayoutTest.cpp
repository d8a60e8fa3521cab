// The window of a raw frame: where the valid part starts, and the measured signal.
#include <gtest/gtest.h>

#include "SimMachine.h"

using simtest::FrameLog;
using simtest::OwnedChannel;
using simtest::SimMachine;

namespace {

TEST(RawFrameWindow, APreValidSkipShiftsThePictureAndBlankingFillsTheRest) {
    SimMachine m(simtest::oneCamera(
        R"("source": "ramp", "framePeriodUs": 10000, "width": {"pre": 4, "valid": 16, "post": 4},
           "height": {"pre": 1, "valid": 4, "post": 1})"));
    OwnedChannel ch;
    CameraConfig config = simtest::configFor(16, 4, 8);
    config.widthPreValid = 6;  // two pixels later than the camera's valid start
    config.heightPreValid = 1;
    ASSERT_EQ(ConfigureChannel(ch.card, 0, &config), 0u);
    FrameLog log;
    ASSERT_EQ(StartGrab(ch.card, 0, 1, FrameLog::callback, &log), 0u);
    log.waitFor(1);
    StopGrab(ch.card, 0);
    const auto& f = log.frames.at(0);
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 16; ++x) {
            const uint32_t expected = x + 2 < 16 ? (x + 2 + 3 * y + f.frameNumber) & 255 : 0;
            EXPECT_EQ(f.bytes[y * 16 + x], expected) << x << "," << y;
        }
    uint32_t clocks = 0, lines = 0;
    EXPECT_EQ(MeasureSignal(ch.card, 0, &clocks, &lines), 0u);
    EXPECT_EQ(clocks, 24u);
    EXPECT_EQ(lines, 6u);
}

}  // namespace
