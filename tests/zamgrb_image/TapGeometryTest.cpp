#include <gtest/gtest.h>

#include <algorithm>

#include "CustomOrders.h"
#include "SampleStorage.h"
#include "StandardOrders.h"
#include "TapGeometry.h"

using zamgrb::TapGeometry;

namespace {

void expectOrder(const TapGeometry& g, const rawframe::Order& order) {
    ASSERT_EQ(g.sampleCount(), order.size());
    for (size_t k = 0; k < order.size(); ++k) {
        const auto p = g.positionOf(k);
        EXPECT_EQ(std::pair(p.x, p.y), std::pair(order[k].x, order[k].y)) << "sample " << k;
    }
}

}  // namespace

TEST(TapGeometry, StandardFormatsPlaceEverySampleByHand) {
    for (const auto& f : standardOrders()) {
        SCOPED_TRACE(f.format);
        TapConfig t{};
        ASSERT_EQ(SetTapFormat(f.format, &t), 0u);
        const auto g = TapGeometry::create(t, uint32_t(f.columns.size()), 3);
        ASSERT_TRUE(g);
        expectOrder(*g, rawframe::rowsOf(f.columns, 3));
        EXPECT_TRUE(g->coversEveryPixelOnce());
    }
}

TEST(TapGeometry, CustomGeometriesPlaceEverySampleByHand) {
    for (const auto& c : customOrders()) {
        SCOPED_TRACE(c.name);
        const auto g = TapGeometry::create(c.taps, c.width, c.height);
        ASSERT_TRUE(g);
        expectOrder(*g, c.order);
        std::vector<int> hits(size_t(c.width) * c.height, 0);
        for (const auto& p : c.order)
            ++hits[p.y * c.width + p.x];
        EXPECT_EQ(g->coversEveryPixelOnce(),
                  std::all_of(hits.begin(), hits.end(), [](int n) { return n == 1; }));
    }
}

TEST(TapGeometry, CoversEveryPixelOnceOnlyWhenTheOrderDoes) {
    // Two channels, two Alternate taps each: only the second channel's pair
    // reads in opposite directions, so its lines miss every other column.
    EXPECT_FALSE(TapGeometry::create({2, 0, 1, 0, 0, 2, 1, 0, 0, 1, 0}, 4, 2)->coversEveryPixelOnce());
    EXPECT_TRUE(TapGeometry::create({2, 0, 1, 0, 0, 2, 1, 0, 0, 1, 1}, 4, 2)->coversEveryPixelOnce());
}

TEST(TapGeometry, TablesAgreeWithPositions) {
    TapConfig t{2, 1, 1, 1, 0, 4, 1, 0, 1, 1, 0};
    const auto g = TapGeometry::create(t, 16, 6);
    ASSERT_TRUE(g);
    const auto columns = g->columnTable();
    const auto rows = g->rowTable();
    uint64_t k = 0;
    for (uint32_t p = 0; p < g->linePeriods(); ++p)
        for (size_t i = 0; i < columns.size(); ++i, ++k) {
            const uint32_t c = uint32_t(i / g->taps()) % g->channels();
            EXPECT_EQ(std::pair(g->positionOf(k).x, g->positionOf(k).y),
                      std::pair(columns[i], rows[p * g->channels() + c]));
        }
}

TEST(TapGeometry, RefusesSelfContradictingConfigurations) {
    const TapConfig ok{1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0};
    struct Case {
        const char* name;
        TapConfig t;
        uint32_t w, h;
    };
    const Case cases[] = {
        {"no channels", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, 8, 8},
        {"three channels", {3, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, 8, 8},
        {"five taps", {1, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0}, 8, 8},
        {"tap output 3", {1, 0, 0, 0, 0, 2, 3, 0, 0, 0, 0}, 8, 8},
        {"direction 2", {1, 0, 0, 0, 0, 2, 0, 2, 0, 0, 0}, 8, 8},
        {"alternate three taps", {1, 0, 0, 0, 0, 3, 1, 0, 0, 0, 0}, 9, 8},
        {"narrower than the taps", ok, 1, 8},
        {"two channels, one line", {2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, 8, 1},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(TapGeometry::create(c.t, c.w, c.h)) << c.name;
    EXPECT_TRUE(TapGeometry::create(ok, 8, 8));
}

TEST(TapGeometry, MoreThanFourTapsReadLeftToRight) {
    TapConfig t{1, 0, 0, 0, 0, 8, 0, 1, 1, 1, 1};
    const auto g = TapGeometry::create(t, 16, 1);
    ASSERT_TRUE(g);
    for (uint32_t tap = 0; tap < 8; ++tap)
        EXPECT_EQ(g->column(0, 0, tap), tap * 2);
}

TEST(SampleStorage, FrameBytesFollowTheStorageForms) {
    struct Case {
        uint32_t depth, packed, taps, width, height;
        uint64_t bytes;
    };
    const Case cases[] = {
        {8, 0, 1, 7, 3, 21},  {8, 1, 1, 7, 3, 21},   {10, 0, 1, 7, 3, 42},  {10, 1, 1, 7, 3, 32},
        {12, 1, 1, 7, 3, 40}, {12, 1, 2, 8, 3, 36},  {14, 1, 1, 7, 3, 42},  {24, 1, 1, 7, 3, 63},
        {24, 0, 1, 7, 3, 84}, {30, 1, 1, 7, 3, 168}, {36, 0, 1, 7, 3, 168}, {9, 0, 1, 7, 3, 0},
    };
    for (const auto& c : cases) {
        CameraConfig config{};
        config.bitDepth = c.depth;
        config.packed = c.packed;
        config.widthValid = c.width;
        config.heightValid = c.height;
        ASSERT_EQ(SetTapFormat(c.taps == 1 ? 1 : 3, &config.tapConfig), 0u);
        const auto bytes = zamgrb::frameStorageBytes(config);
        EXPECT_EQ(bytes.value_or(0), c.bytes)
            << c.depth << " bits, packed " << c.packed << ", taps " << c.taps;
    }
}
