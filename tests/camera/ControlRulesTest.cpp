#include <gtest/gtest.h>

#include <tuple>

#include "camera/PulseTiming.h"
#include "camera/RgbRules.h"
#include "res/ResourceIds.h"

namespace {

using namespace cccontrol;
using namespace rgbcontrol;

TEST(PulseTiming, TypedTimesSnapToCyclesAndFrequencyClamps) {
    const std::tuple<const char*, uint16_t, uint16_t> typed[] = {{"100", 3, 3},
                                                                 {"655350", 1, 65535},
                                                                 {"655360", 1, 65535},
                                                                 {"19", 1, 1},
                                                                 {"9", 1, 1},
                                                                 {"abc", 5, 1},
                                                                 {"-500", 1, 1},
                                                                 {" 42ns", 1, 4},
                                                                 {"+60", 2, 3},
                                                                 {"300", 0, 30},
                                                                 {"99999999999999999999999", 1, 65535}};
    for (const auto& [text, granularity, cycles] : typed)
        EXPECT_EQ(CyclesOf(QString::fromLatin1(text), granularity), cycles) << text;
    EXPECT_EQ(NanosecondsText(65535, 65535), "42948362250");
    const std::tuple<int64_t, int64_t, const char*> frequencies[] = {
        {3, 3, "11111111.11"}, {0, -4, "100000000.00"}, {65535, 65535, "0.02"}, {70000, 1, "1525.90"}};
    for (const auto& [period, granularity, text] : frequencies)
        EXPECT_EQ(FrequencyText(period, granularity), text) << period << "/" << granularity;
    const std::pair<double, int> held[] = {{5.99, 1}, {6, 2}, {9, 5}, {12, 10}, {17.99, 50}, {18, 200}};
    for (const auto& [seconds, step] : held)
        EXPECT_EQ(AcceleratedStep(seconds), step) << seconds;
}

// Each time must stay below the master period of 10; the master width is judged first.
TEST(PulseTiming, PeriodChecksInOrder) {
    const std::tuple<uint16_t, uint16_t, uint16_t, int> cases[] = {
        {9, 9, 9, 0},
        {10, 9, 9, res::IDS_MASTER_WIDTH_TOO_LONG},
        {11, 10, 10, res::IDS_MASTER_WIDTH_TOO_LONG},
        {9, 10, 10, res::IDS_SLAVE_WIDTH_TOO_LONG},
        {1, 1, 65535, res::IDS_SLAVE_DELAY_TOO_LONG}};
    for (const auto& [masterWidth, slaveWidth, slaveDelay, failed] : cases) {
        const PulseGeneratorSettings s{0, 0, 1, 1, masterWidth, 10, slaveWidth, slaveDelay};
        EXPECT_EQ(PeriodCheck(s), failed) << masterWidth << "/" << slaveWidth << "/" << slaveDelay;
    }
}

TEST(RgbLink, LinkedOffsetsKeepTheirDifferencesAndBytesClamp) {
    const std::tuple<Offsets, Colour, int, bool, Offsets> cases[] = {
        {{10, 5, 0}, kRed, 20, true, {20, 15, 10}},
        {{10, 5, 0}, kGreen, 0, true, {5, 0, -5}},
        {{10, 5, 0}, kBlue, -3, true, {7, 2, -3}},
        {{10, 5, 0}, kRed, 20, false, {20, 5, 0}},
        {{-100, 27, 127}, kRed, -128, true, {-128, -1, 99}},
        {{0, 100, 120}, kGreen, 127, true, {27, 127, 147}}};
    for (const auto& [before, moved, value, linked, after] : cases)
        EXPECT_EQ(MoveOffset(before, moved, value, linked, DifferencesOf(before)), after)
            << moved << "=" << value;
    const std::pair<int, int8_t> bytes[] = {{-129, -128}, {-128, -128}, {127, 127}, {128, 127}};
    for (const auto& [offset, byte] : bytes)
        EXPECT_EQ(OffsetByte(offset), byte) << offset;
}

TEST(RgbLink, NumericEditsTakeDigitsPointBackspaceAndALeadingMinus) {
    const std::tuple<char16_t, bool, int, bool> cases[] = {
        {u'0', false, 2, true},  {u'.', false, 1, true},    {u'\b', false, 3, true}, {u'-', true, 0, true},
        {u'-', false, 0, true},  {u'-', false, 1, false},   {u'+', true, 0, false},  {u'e', false, 1, false},
        {u',', false, 1, false}, {u'\x16', false, 0, false}};
    for (const auto& [c, empty, caret, taken] : cases)
        EXPECT_EQ(AcceptsCharacter(QChar(c), empty, caret), taken) << int(c) << " at " << caret;
}

// Gains are the largest mean over each mean; a dark channel keeps its previous gain.
TEST(WhiteBalanceGains, LargestMeanOverEachMean) {
    const std::tuple<Triple, Triple, Triple, const char*> cases[] = {
        {{100, 200, 50}, {1, 1, 1}, {2.0, 1.0, 4.0}, "Mean RGB = {100, 200, 50}"},
        {{0, 200, 50}, {1.5, 1, 1}, {1.5, 1.0, 4.0}, "Mean RGB = {0, 200, 50}"},
        {{0, 0, 0}, {2, 3, 4}, {2, 3, 4}, "Mean RGB = {0, 0, 0}"},
        {{65535, 99.9, 32768.5},
         {1, 1, 1},
         {1.0, 65535 / 99.9, 65535 / 32768.5},
         "Mean RGB = {65535, 99, 32768}"}};
    for (const auto& [means, previous, expected, text] : cases) {
        const Triple gains = BalanceGains(means, previous);
        for (int i = 0; i < 3; ++i)
            EXPECT_DOUBLE_EQ(gains[i], expected[i]) << text << " " << i;
        EXPECT_EQ(MeanText(means), text);
    }
    EXPECT_EQ(ShownGain(0.0), 1.0) << "an unset gain converts as 1";
    const std::pair<const char*, double> typed[] = {
        {" 1.5x", 1.5}, {"-.25", -0.25}, {"+2", 2}, {"1,5", 1}, {"x", 0}};
    for (const auto& [text, gain] : typed)
        EXPECT_EQ(LeadingDecimal(QString::fromLatin1(text)), gain) << text;
}

}  // namespace
