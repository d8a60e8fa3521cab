// Raw frames: byte counts of every sample storage, and the ramp read back through an
// unpacker written here from the layout rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimMachine.h"

using simtest::FrameLog;
using simtest::OwnedChannel;
using simtest::SimMachine;

namespace {

constexpr uint32_t W = 48, H = 3;

struct Form {
    const char* name;
    uint32_t bitDepth, tapFormat, packed;
    uint32_t bytes;  // expected raw frame size
};

// Samples of a raw frame in arrival order: port words (B | G << b | R << 2b for RGB).
std::vector<uint64_t> unpack(const Form& f, const std::vector<uint8_t>& raw, size_t samples) {
    auto le = [&](size_t at, size_t n) {
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i)
            v |= uint64_t(raw.at(at + i)) << (8 * i);
        return v;
    };
    std::vector<uint64_t> out;
    const uint32_t b = f.bitDepth > 16 ? f.bitDepth / 3 : f.bitDepth;
    const uint64_t mask = (1ull << b) - 1;
    for (size_t i = 0; i < samples; ++i) {
        if (f.bitDepth <= 8)
            out.push_back(raw.at(i));
        else if (f.bitDepth <= 16 && f.packed && f.bitDepth == 10)
            out.push_back(le(i / 6 * 8, 8) >> (10 * (i % 6)) & mask);
        else if (f.bitDepth == 12 && f.packed && f.tapFormat == 1)
            out.push_back(le(i / 5 * 8, 8) >> (12 * (i % 5)) & mask);
        else if (f.bitDepth == 12 && f.packed)
            out.push_back(le(i / 2 * 3, 3) >> (12 * (i % 2)) & mask);
        else if (f.bitDepth <= 16)
            out.push_back(le(i * 2, 2));
        else if (f.bitDepth <= 24 && f.packed)
            out.push_back(le(i * 3, 3));
        else if (f.bitDepth <= 24)
            out.push_back(le(i * 4, 3));
        else
            out.push_back(le(i * 8, 2) | le(i * 8 + 2, 2) << b | le(i * 8 + 4, 2) << 2 * b);
    }
    return out;
}

// The ramp's port word at (x, y) of frame k.
uint64_t ramp(const Form& f, uint32_t x, uint32_t y, uint64_t k) {
    if (f.bitDepth <= 16)
        return (x + 3 * y + k) & ((1ull << f.bitDepth) - 1);
    const uint32_t b = f.bitDepth / 3;
    const uint64_t m = (1ull << b) - 1;
    return ((x + y + k) & m) | ((y + k) & m) << b | ((x + k) & m) << 2 * b;
}

void PrintTo(const Form& value, std::ostream* os) {
    *os << value.name;
}

class RawFrame : public ::testing::TestWithParam<Form> {};

TEST_P(RawFrame, HasTheStorageSizeAndCarriesTheRamp) {
    const Form& f = GetParam();
    const bool rgb = f.bitDepth > 16;
    SimMachine m(simtest::oneCamera(
        R"("source": "ramp", "framePeriodUs": 10000, "bitDepth": )" + std::to_string(f.bitDepth) +
        R"(, "tapFormat": )" + std::to_string(f.tapFormat) + R"(, "color": ")" + (rgb ? "rgb" : "mono") +
        R"(", "width": {"valid": )" + std::to_string(W) + R"(, "post": 8}, "height": {"valid": )" +
        std::to_string(H) + R"(, "post": 1})"));
    OwnedChannel ch;
    ASSERT_EQ(ch.openStatus, 0u);
    const CameraConfig config = simtest::configFor(W, H, f.bitDepth, f.tapFormat, f.packed);
    ASSERT_EQ(ConfigureChannel(ch.card, 0, &config), 0u);
    FrameLog log;
    ASSERT_EQ(StartGrab(ch.card, 0, 1, FrameLog::callback, &log), 0u);
    log.waitFor(2);
    ASSERT_EQ(StopGrab(ch.card, 0), 0u);
    ASSERT_GE(log.frames.size(), 2u);
    for (const auto& frame : log.frames) {
        ASSERT_EQ(frame.bytes.size(), f.bytes);
        const auto samples = unpack(f, frame.bytes, W * H);
        // Format 1 arrives in image order; format 10 sends four segments side by side.
        const uint32_t taps = f.tapFormat == 10 ? 4 : 1, clocks = W / taps;
        for (uint32_t i = 0; i < W * H; ++i) {
            const uint32_t t = i % taps, n = (i / taps) % clocks, y = i / W;
            const uint32_t x = t * clocks + n;
            ASSERT_EQ(samples[i], ramp(f, x, y, frame.frameNumber))
                << "sample " << i << " frame " << frame.frameNumber;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Storage, RawFrame,
    ::testing::Values(Form{"Mono8", 8, 1, 0, W* H}, Form{"Mono10", 10, 1, 0, 2 * W* H},
                      Form{"Mono12", 12, 1, 0, 2 * W* H}, Form{"Mono14", 14, 1, 0, 2 * W* H},
                      Form{"Mono16", 16, 1, 0, 2 * W* H}, Form{"Mono10Packed", 10, 1, 1, (W * H + 5) / 6 * 8},
                      Form{"Mono12Packed1Tap", 12, 1, 1, (W * H + 4) / 5 * 8},
                      Form{"Mono12Packed4Taps", 12, 10, 1, W* H / 2 * 3},
                      Form{"Mono8FourTaps", 8, 10, 0, W* H}, Form{"Rgb24Packed", 24, 1, 1, 3 * W* H},
                      Form{"Rgb24Unpacked", 24, 1, 0, 4 * W* H}, Form{"Rgb30", 30, 1, 0, 8 * W* H},
                      Form{"Rgb36", 36, 1, 1, 8 * W* H}),
    [](const auto& info) { return std::string(info.param.name); });

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

TEST(RawFrameColour, ABayerCameraSamplesTheColourRampThroughItsPattern) {
    SimMachine m(simtest::oneCamera(
        R"("source": "ramp", "framePeriodUs": 10000, "color": "bayer", "patternStart": 1,
           "width": {"valid": 8, "post": 0}, "height": {"valid": 4, "post": 0})"));
    OwnedChannel ch;
    const CameraConfig config = simtest::configFor(8, 4, 8);
    ASSERT_EQ(ConfigureChannel(ch.card, 0, &config), 0u);
    FrameLog log;
    ASSERT_EQ(StartGrab(ch.card, 0, 1, FrameLog::callback, &log), 0u);
    log.waitFor(1);
    StopGrab(ch.card, 0);
    const auto& f = log.frames.at(0);
    const uint32_t k = f.frameNumber;
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 8; ++x) {
            // Pattern 1: R G / G B.
            const bool redRow = y % 2 == 0, evenColumn = x % 2 == 0;
            const uint32_t expected = redRow && evenColumn     ? x + k
                                      : !redRow && !evenColumn ? x + y + k
                                                               : y + k;
            EXPECT_EQ(f.bytes[y * 8 + x], expected & 255) << x << "," << y;
        }
}

}  // namespace
