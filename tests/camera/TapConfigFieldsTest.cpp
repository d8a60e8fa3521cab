#include <gtest/gtest.h>

#include "camera/PropertySet.h"
#include "camera/TapConfigFields.h"
#include "grabber/Grabber.h"
#include "res/ResourceIds.h"

namespace {

class TapConfigFields : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadPropertySet(res::IDR_TAP_PROPERTY_SET, map)); }
    const CPropertyObject& property(const char* key) { return *map.Find(QLatin1String(key)); }
    CPropertyMap map;
};

TEST_F(TapConfigFields, CellTextsOfListsAndNumbers) {
    EXPECT_EQ(tapconfig::CellText(property("channelOrder"), 1), "Reverse");
    EXPECT_EQ(tapconfig::CellText(property("channelOrder"), 2), "");
    EXPECT_EQ(tapconfig::CellText(property("tapOutput"), 2), "Interleaved");
    EXPECT_EQ(tapconfig::CellText(property("taps"), 10), "10");  // list_int shows the number itself
}

TEST_F(TapConfigFields, CellValues) {
    EXPECT_EQ(tapconfig::CellValue(property("channelDirection1"), "Bottom-Up"), 1);
    EXPECT_EQ(tapconfig::CellValue(property("channelDirection1"), "bottom-up"), std::nullopt);
    EXPECT_EQ(tapconfig::CellValue(property("taps"), "8"), 8);
    EXPECT_EQ(tapconfig::CellValue(property("taps"), "0x10"), 16);
    EXPECT_EQ(tapconfig::CellValue(property("taps"), "258"), 2);  // stored in a byte
    EXPECT_EQ(tapconfig::CellValue(property("taps"), "many"), std::nullopt);
}

TEST_F(TapConfigFields, EveryStandardFormatRoundTripsThroughTheGrid) {
    for (uint32_t format = 1; format <= 18; ++format) {
        TapConfig config{}, back{};
        ASSERT_EQ(grabber::SetTapFormat(format, config), 0u);
        for (size_t i = 0; i < tapconfig::kFieldKeys.size(); ++i) {
            const CPropertyObject& p = property(tapconfig::kFieldKeys[i]);
            const auto value = tapconfig::CellValue(p, tapconfig::CellText(p, tapconfig::Field(config, i)));
            ASSERT_TRUE(value) << format << " " << tapconfig::kFieldKeys[i];
            tapconfig::Field(back, i) = *value;
        }
        EXPECT_EQ(std::memcmp(&config, &back, sizeof config), 0) << format;
    }
}

struct RuleCase {
    uint8_t taps, channels, tapOutput, direction2;
    const char* message;  // null: no rule broken
};

TEST(TapRules, FirstBrokenRuleInOrder) {
    const RuleCase cases[] = {
        {8, 2, 2, 0, "For number of taps greater then 4 number of channels must be 1"},
        {8, 2, 1, 1, "For number of taps greater then 4 number of channels must be 1"},
        {10, 1, 2, 1, "For number of taps greater then 4 all taps must be Left-to-Right"},
        {10, 1, 1, 0, "For number of taps greater then 4 only Segmented or Interleaced outputs supported"},
        {8, 1, 0, 0, nullptr},
        {10, 1, 2, 0, nullptr},
        {4, 2, 1, 1, nullptr},
    };
    for (const RuleCase& c : cases) {
        TapConfig config{};
        config.taps = c.taps;
        config.channels = c.channels;
        config.tapOutput = c.tapOutput;
        config.tapDirection2 = c.direction2;
        const auto broken = tapconfig::BrokenTapRule(config);
        if (c.message)
            EXPECT_EQ(broken, QString::fromLatin1(c.message)) << int(c.taps) << int(c.channels);
        else
            EXPECT_FALSE(broken) << int(c.taps) << int(c.channels);
    }
}

}  // namespace
