#include <gtest/gtest.h>

#include <string>

#include "grabber/Grabber.h"

namespace {

struct Expected {
    uint8_t taps, tapOutput;
    const char* directions;  // one letter per used tap: L or R
};

// Channel layout is the same for all: 1 channel, Normal, Segmented, Top-Down.
constexpr Expected kTable[18] = {
    {1, 0, "L"},    {1, 0, "R"},    {2, 2, "LL"},   {2, 2, "RR"},   {2, 0, "LL"},   {2, 0, "RR"},
    {2, 0, "LR"},   {2, 0, "RL"},   {3, 0, "LLL"},  {4, 0, "LLLL"}, {4, 0, "RRRR"}, {4, 1, "LLLL"},
    {4, 1, "LLRR"}, {4, 0, "LRLR"}, {4, 2, "LLLL"}, {4, 2, "RRRR"}, {8, 2, "LLLL"}, {10, 2, "LLLL"},
};

TEST(TapFormat, EveryStandardFormatRoundTrips) {
    for (uint32_t format = 1; format <= 18; ++format) {
        SCOPED_TRACE("format " + std::to_string(format));
        TapConfig t{};
        ASSERT_EQ(grabber::SetTapFormat(format, t), 0u);
        const Expected& e = kTable[format - 1];
        EXPECT_EQ(t.channels, 1);
        EXPECT_EQ(t.channelOrder, 0);
        EXPECT_EQ(t.channelOutput, 0);
        EXPECT_EQ(t.channelDirection0, 0);
        EXPECT_EQ(t.channelDirection1, 0);
        EXPECT_EQ(t.taps, e.taps);
        EXPECT_EQ(t.tapOutput, e.tapOutput);
        const uint8_t dirs[4] = {t.tapDirection0, t.tapDirection1, t.tapDirection2, t.tapDirection3};
        for (int i = 0; i < 4; ++i) {
            const char want = e.directions[i];
            EXPECT_EQ(dirs[i], want == 'R' ? 1 : 0) << "tap " << i + 1;
            if (want == '\0')
                break;
        }
        EXPECT_EQ(grabber::GetTapFormat(t), format);
    }
}

TEST(TapFormat, CustomGeometriesAnswerZero) {
    TapConfig base{};
    grabber::SetTapFormat(10, base);
    TapConfig twoChannels = base;
    twoChannels.channels = 2;
    TapConfig interlaced = base;
    interlaced.channelOutput = 1;
    TapConfig bottomUp = base;
    bottomUp.channelDirection0 = 1;
    TapConfig mixed = base;
    mixed.tapDirection2 = 1;  // L L R L is no standard format
    TapConfig threeInterleaved{};
    grabber::SetTapFormat(9, threeInterleaved);
    threeInterleaved.tapOutput = 2;
    for (const TapConfig& t : {twoChannels, interlaced, bottomUp, mixed, threeInterleaved})
        EXPECT_EQ(grabber::GetTapFormat(t), 0u);
}

TEST(TapFormat, OutOfRangeFormatsAreRefused) {
    TapConfig t{};
    t.taps = 77;
    EXPECT_NE(grabber::SetTapFormat(0, t), 0u);
    EXPECT_NE(grabber::SetTapFormat(19, t), 0u);
    EXPECT_EQ(t.taps, 77) << "a refused format leaves the record alone";
    EXPECT_NE(SetTapFormat(1, nullptr), 0u);
    EXPECT_EQ(GetTapFormat(nullptr), 0u);
}

}  // namespace
