#include "grabber/Bandwidth.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    uint32_t bitDepth;
    bool packed;
    uint8_t taps;
    uint8_t channels;
    uint32_t clocksPerLine;
    uint32_t linesPerFrame;
    uint32_t frameRate;
    uint32_t mbps;
};

// Samples a second P = clocks x taps x lines x channels x fps; 1000 x 1000 x 10 gives 10^7.
constexpr Case kCases[] = {
    {"mono8", 8, false, 1, 1, 1000, 1000, 10, 80},
    {"mono8_packed_changes_nothing", 8, true, 1, 1, 1000, 1000, 10, 80},
    {"mono8_truncates", 8, false, 1, 1, 999, 999, 1, 7},
    {"mono8_ten_taps", 8, false, 10, 1, 1000, 1000, 10, 800},
    // 640 / 60 bits a sample: 6 400 000 000 / 60 = 106 666 666, then / 10^6.
    {"mono10_packed", 10, true, 1, 1, 1000, 1000, 10, 106},
    {"mono10_packed_four_taps_two_channels", 10, true, 4, 2, 1000, 1000, 10, 853},
    {"mono10", 10, false, 1, 1, 1000, 1000, 10, 160},
    {"mono12_packed_one_tap", 12, true, 1, 1, 1001, 1000, 10, 128},
    {"mono12_packed_two_taps", 12, true, 2, 1, 1000, 1000, 10, 240},
    {"mono12_packed_two_channels", 12, true, 1, 2, 1000, 1000, 10, 240},
    {"mono12", 12, false, 1, 1, 1000, 1000, 10, 160},
    {"mono14_packed_is_unpacked", 14, true, 1, 1, 1000, 1000, 10, 160},
    {"mono16", 16, false, 2, 1, 1000, 1000, 10, 320},
    {"rgb24_packed", 24, true, 1, 1, 1000, 1000, 10, 240},
    {"rgb24", 24, false, 1, 1, 1000, 1000, 10, 320},
    {"rgb30_packed_is_unpacked", 30, true, 1, 1, 1000, 1000, 10, 640},
    {"rgb36", 36, false, 1, 1, 1000, 1000, 10, 640},
    {"no_storage_above_36_bits", 48, false, 1, 1, 1000, 1000, 10, 0},
    {"no_frames", 8, false, 1, 1, 1000, 1000, 0, 0},
    // 8 000 000 000 Mbit/s needs 64 bits; the answer keeps the low 32.
    {"low_32_bits", 8, false, 1, 1, 1000000, 1000000, 1000, 3705032704u},
    // The product of the statistics alone already exceeds 32 bits.
    {"mono16_wide_product", 16, false, 10, 2, 5000, 5000, 1000, 8000000},
};

TEST(Bandwidth, MbpsFromStatisticsAndConfiguration) {
    for (const Case& c : kCases) {
        GrabStatistics statistics{};
        statistics.cameraFrameRate = c.frameRate;
        statistics.clocksPerLine = c.clocksPerLine;
        statistics.linesPerFrame = c.linesPerFrame;
        // Figures the formula must not use.
        statistics.pixelClock = 85;
        statistics.grabbingRate = 7;
        statistics.grabbingCount = 123456;
        CameraConfig config{};
        config.bitDepth = c.bitDepth;
        config.packed = c.packed ? 1 : 0;
        config.tapConfig.taps = c.taps;
        config.tapConfig.channels = c.channels;
        config.widthValid = 640;
        config.heightValid = 480;
        EXPECT_EQ(grabber::BandwidthMbps(statistics, config), c.mbps) << c.name;
    }
}

}  // namespace
