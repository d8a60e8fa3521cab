#include <gtest/gtest.h>

#include <limits>

#include "TapFormats.h"
#include "camera/AutoLearnModel.h"
#include "grabber/Grabber.h"

namespace {

TEST(AutoLearnModel, TotalsFollowTapsAndChannels) {
    AutoLearnModel twoTaps(1000, 500, StandardTaps(3));
    EXPECT_EQ(twoTaps.totalWidth(), 2000u);
    EXPECT_EQ(twoTaps.totalHeight(), 500u);
    EXPECT_TRUE(twoTaps.set(AutoLearnModel::kWidthPreValid, 100));
    EXPECT_TRUE(twoTaps.set(AutoLearnModel::kWidthPostValid, 50));
    EXPECT_EQ(twoTaps.widthValid(), 1850u);
    EXPECT_EQ(twoTaps.heightValid(), 500u);

    TapConfig twoChannels = StandardTaps(1);
    twoChannels.channels = 2;
    AutoLearnModel doubled(1000, 500, twoChannels);
    EXPECT_EQ(doubled.totalHeight(), 1000u);
    EXPECT_EQ(doubled.rangeOf(AutoLearnModel::kHeightPostValid), 1000u);
}

TEST(AutoLearnModel, AnyTapFormatChangeResetsAllFourParts) {
    AutoLearnModel model(1000, 500, StandardTaps(5));
    model.set(AutoLearnModel::kWidthPreValid, 1500);
    model.set(AutoLearnModel::kHeightPreValid, 10);
    model.set(AutoLearnModel::kHeightPostValid, 20);
    model.setTapConfig(StandardTaps(1));
    for (auto part : {AutoLearnModel::kWidthPreValid, AutoLearnModel::kWidthPostValid,
                      AutoLearnModel::kHeightPreValid, AutoLearnModel::kHeightPostValid})
        EXPECT_EQ(model.value(part), 0u);
    EXPECT_EQ(model.totalWidth(), 1000u);
    EXPECT_EQ(model.widthValid(), 1000u);
}

TEST(AutoLearnModel, PartsAreLimitedByTheOtherPartOfTheirRow) {
    struct Case {
        uint32_t opposite, typed, kept;
        bool fits;
    };
    const Case cases[] = {
        {0, 3000, 2000, false}, {500, 1500, 1500, true}, {500, 1501, 1500, false}, {2000, 1, 0, false}};
    for (const Case& c : cases) {
        AutoLearnModel model(1000, 500, StandardTaps(3));
        model.set(AutoLearnModel::kWidthPostValid, c.opposite);
        EXPECT_EQ(model.set(AutoLearnModel::kWidthPreValid, c.typed), c.fits) << c.typed;
        EXPECT_EQ(model.value(AutoLearnModel::kWidthPreValid), c.kept) << c.typed;
        EXPECT_EQ(model.widthValid(), 2000 - c.opposite - c.kept) << c.typed;
    }
}

TEST(AutoLearnModel, HugeMeasurementsSaturate) {
    const uint32_t most = std::numeric_limits<uint32_t>::max();
    AutoLearnModel model(most, most, StandardTaps(18));
    EXPECT_EQ(model.totalWidth(), most);
    EXPECT_TRUE(model.set(AutoLearnModel::kWidthPreValid, most));
    EXPECT_FALSE(model.set(AutoLearnModel::kWidthPostValid, 1));
    EXPECT_EQ(model.widthValid(), 0u);
}

}  // namespace
