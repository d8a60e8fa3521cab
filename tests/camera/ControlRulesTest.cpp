#include <gtest/gtest.h>

#include "camera/PulseTiming.h"
#include "camera/RgbRules.h"
#include "res/ResourceIds.h"

namespace {

using namespace cccontrol;
using namespace rgbcontrol;

TEST(PulseTiming, TypedNanosecondsSnapToWholeCyclesWithinRange) {
    struct Case {
        const char* text;
        uint16_t granularity, cycles;
    };
    const Case cases[] = {{"100", 3, 3},
                          {"655350", 1, 65535},
                          {"655360", 1, 65535},
                          {"19", 1, 1},
                          {"9", 1, 1},
                          {"", 1, 1},
                          {"abc", 5, 1},
                          {"-500", 1, 1},
                          {" 42ns", 1, 4},
                          {"+60", 2, 3},
                          {"99999999999999999999999", 1, 65535},
                          {"300", 0, 30}};
    for (const Case& c : cases)
        EXPECT_EQ(CyclesOf(QString::fromLatin1(c.text), c.granularity), c.cycles) << c.text;
    EXPECT_EQ(NanosecondsText(3, 3), "90");
    EXPECT_EQ(NanosecondsText(65535, 65535), "42948362250");
}

TEST(PulseTiming, FrequencyClampsPeriodAndGranularity) {
    struct Case {
        int64_t period, granularity;
        const char* text;
    };
    const Case cases[] = {{3, 3, "11111111.11"},  {1, 1, "100000000.00"}, {0, -4, "100000000.00"},
                          {65535, 65535, "0.02"}, {70000, 1, "1525.90"},  {5000, 1000, "20.00"}};
    for (const Case& c : cases)
        EXPECT_EQ(FrequencyText(c.period, c.granularity), c.text) << c.period << "/" << c.granularity;
}

// Each time must stay below the master period; the master width is judged first.
TEST(PulseTiming, PeriodChecksInOrder) {
    struct Case {
        uint16_t masterWidth, slaveWidth, slaveDelay;
        int failed;
    };
    const Case cases[] = {{9, 9, 9, 0},
                          {10, 9, 9, res::IDS_MASTER_WIDTH_TOO_LONG},
                          {11, 10, 10, res::IDS_MASTER_WIDTH_TOO_LONG},
                          {9, 10, 10, res::IDS_SLAVE_WIDTH_TOO_LONG},
                          {9, 9, 10, res::IDS_SLAVE_DELAY_TOO_LONG},
                          {1, 1, 65535, res::IDS_SLAVE_DELAY_TOO_LONG}};
    for (const Case& c : cases) {
        PulseGeneratorSettings s{};
        s.masterPeriod = 10;
        s.masterWidth = c.masterWidth, s.slaveWidth = c.slaveWidth, s.slaveDelay = c.slaveDelay;
        EXPECT_EQ(PeriodCheck(s), c.failed) << c.masterWidth << "/" << c.slaveWidth << "/" << c.slaveDelay;
    }
}

TEST(PulseTiming, HeldSpinnerSpeedsUpByTheTable) {
    const std::pair<double, int> cases[] = {{0, 1},   {5.99, 1}, {6, 2},      {8.99, 2}, {9, 5},
                                            {12, 10}, {15, 50},  {17.99, 50}, {18, 200}, {600, 200}};
    for (const auto& [held, step] : cases)
        EXPECT_EQ(AcceleratedStep(held), step) << held;
}

TEST(RgbLink, LinkedOffsetsKeepTheirDifferences) {
    struct Case {
        Offsets before;
        Colour moved;
        int value;
        bool linked;
        Offsets after;
    };
    const Case cases[] = {{{10, 5, 0}, kRed, 20, true, {20, 15, 10}},
                          {{10, 5, 0}, kGreen, 0, true, {5, 0, -5}},
                          {{10, 5, 0}, kBlue, -3, true, {7, 2, -3}},
                          {{10, 5, 0}, kRed, 20, false, {20, 5, 0}},
                          {{-100, 27, 127}, kBlue, 127, true, {-100, 27, 127}},
                          {{-100, 27, 127}, kRed, -128, true, {-128, -1, 99}},
                          {{0, 100, 120}, kGreen, 127, true, {27, 127, 147}}};
    for (const Case& c : cases)
        EXPECT_EQ(MoveOffset(c.before, c.moved, c.value, c.linked, DifferencesOf(c.before)), c.after)
            << c.moved << " to " << c.value;
    const std::pair<int, int8_t> bytes[] = {{-129, -128}, {-128, -128}, {127, 127}, {128, 127}, {1000, 127}};
    for (const auto& [offset, byte] : bytes)
        EXPECT_EQ(OffsetByte(offset), byte) << offset;
}

TEST(RgbLink, NumericEditsTakeDigitsPointBackspaceAndALeadingMinus) {
    struct Case {
        char16_t c;
        bool empty;
        int caret;
        bool taken;
    };
    const Case cases[] = {{u'0', false, 2, true},  {u'9', true, 0, true},  {u'.', false, 1, true},
                          {u'\b', false, 3, true}, {u'-', true, 0, true},  {u'-', false, 0, true},
                          {u'-', false, 1, false}, {u'+', true, 0, false}, {u'e', false, 1, false},
                          {u',', false, 1, false}, {u' ', true, 0, false}, {u'\x16', false, 0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(AcceptsCharacter(QChar(c.c), c.empty, c.caret), c.taken) << int(c.c) << " at " << c.caret;
}

// Gains are the largest mean over each mean; a dark channel keeps its previous gain.
TEST(WhiteBalanceGains, LargestMeanOverEachMean) {
    struct Case {
        Triple means, previous, gains;
        const char* text;
    };
    const Case cases[] = {{{100, 200, 50}, {1, 1, 1}, {2.0, 1.0, 4.0}, "Mean RGB = {100, 200, 50}"},
                          {{0, 200, 50}, {1.5, 1, 1}, {1.5, 1.0, 4.0}, "Mean RGB = {0, 200, 50}"},
                          {{0, 0, 0}, {2, 3, 4}, {2, 3, 4}, "Mean RGB = {0, 0, 0}"},
                          {{65535, 99.9, 32768.5},
                           {1, 1, 1},
                           {1.0, 65535 / 99.9, 65535 / 32768.5},
                           "Mean RGB = {65535, 99, 32768}"}};
    for (const Case& c : cases) {
        const Triple gains = BalanceGains(c.means, c.previous);
        for (int i = 0; i < 3; ++i)
            EXPECT_DOUBLE_EQ(gains[i], c.gains[i]) << c.text << " " << i;
        EXPECT_EQ(MeanText(c.means), c.text);
    }
    EXPECT_EQ(ShownGain(0.0), 1.0) << "an unset gain converts as 1";
    EXPECT_EQ(ShownGain(0.5), 0.5);
}

}  // namespace
