#include <gtest/gtest.h>

#include <climits>

#include "analysis/GraphScale.h"

namespace {

TEST(GraphScale, LogCountsTakeOneHundredPerDecade) {
    const std::pair<uint32_t, int> cases[] = {{0, 0},    {1, 10},    {9, 90},     {10, 110},
                                              {99, 199}, {100, 210}, {5000, 350}, {4294967295u, 942}};
    for (auto [count, expected] : cases)
        EXPECT_EQ(histo::LogCount(count), expected) << count;
}

TEST(GraphScale, ProfileYRange) {
    struct Case {
        uint32_t low, high;
        int yMin, yMax;  // before
        bool changed;
        int newMin, newMax;
    };
    const Case cases[] = {
        {100, 100, INT_MAX, INT_MIN, true, 100, 120},   // flat: margin 0, 100 up a whole step
        {0, 0, INT_MAX, INT_MIN, true, 0, 10},          // all zero
        {0, 400, INT_MAX, INT_MIN, true, 0, 600},       // 0..500: step 100
        {20, 100, INT_MAX, INT_MIN, true, 0, 200},      // 0..120 (margin 20): step 100
        {1000, 5000, INT_MAX, INT_MIN, true, 0, 6500},  // 0..6000: step 500
        {100, 115, 100, 120, false, 100, 120},          // inside, above the middle: kept
        {100, 109, 100, 120, true, 80, 120},            // below the middle: recomputed, margin 2.25
    };
    for (const Case& c : cases) {
        int yMin = c.yMin, yMax = c.yMax;
        EXPECT_EQ(histo::UpdateProfileYRange(c.low, c.high, yMin, yMax), c.changed)
            << c.low << ".." << c.high;
        EXPECT_EQ(yMin, c.newMin) << c.low << ".." << c.high;
        EXPECT_EQ(yMax, c.newMax) << c.low << ".." << c.high;
    }
}

TEST(GraphScale, HistogramYRangeShrinksOnlyBelowSixtyPercent) {
    int yMin = 0, yMax = INT_MIN;
    const std::pair<int, int> steps[] = {{350, 400}, {240, 400},   {239, 300},    {401, 500},
                                         {90, 100},  {1000, 1100}, {10001, 20000}};
    for (auto [peak, expected] : steps) {
        histo::UpdateHistogramYRange(peak, yMin, yMax);
        EXPECT_EQ(yMax, expected) << peak;
        EXPECT_EQ(yMin, 0);
    }
}

TEST(GraphScale, MarkersAndTheirCounts) {
    int low = 0, high = 100;
    histo::SetLowLimit(150, low, high);
    EXPECT_EQ(low, 100) << "a low click above the high limit lands on it";
    histo::SetHighLimit(50, low, high);
    EXPECT_EQ(high, 100) << "a high click below the low limit is raised to it";
    const std::vector<uint32_t> counts = {1, 2, 4, 8, 16, 0};  // 6 levels: bins 0..4
    const struct {
        int low, high;
        uint64_t below, above;
    } cases[] = {{-1, -1, 0, 0}, {0, 4, 0, 16}, {1, 3, 3, 24}, {2, -1, 7, 0}, {9, 9, 31, 0}};
    for (const auto& c : cases) {
        const histo::MarkerCounts m = histo::CountMarkers(counts, c.low, c.high);
        EXPECT_EQ(m.below, c.below) << c.low;
        EXPECT_EQ(m.above, c.above) << c.high;
    }
    EXPECT_EQ(histo::LevelAt(100, 100, 200, 0, 256), 0);
    EXPECT_EQ(histo::LevelAt(299, 100, 200, 0, 256), 254);
}

}  // namespace
