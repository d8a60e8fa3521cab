#include <gtest/gtest.h>

#include "camera/CameraParamsRules.h"

namespace {

using namespace cameraparams;

// The setters select button (depth - 8) / 2, (depth / 3 - 8) / 2 for RGB; no
// button for an index outside the group.
TEST(CameraParamsDepth, SettersSelectByTheIndexRule) {
    struct Case {
        uint32_t depth;
        std::optional<int> mono, rgb;
    };
    const Case cases[] = {{7, {}, {}}, {8, 0, {}},   {9, 0, {}},   {15, 3, {}}, {16, 4, {}},
                          {17, 4, {}}, {18, {}, {}}, {23, {}, {}}, {24, {}, 0}, {26, {}, 0},
                          {29, {}, 0}, {33, {}, 1},  {36, {}, 2},  {41, {}, 2}, {42, {}, {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(MonoIndexOf(c.depth), c.mono) << c.depth;
        EXPECT_EQ(RgbIndexOf(c.depth), c.rgb) << c.depth;
    }
}

TEST(CameraParamsColour, VideoTypeAndCellGiveTheDescriptionFields) {
    struct Case {
        int videoType, cell;
        uint8_t colorFormat, patternStart;
    };
    const Case cases[] = {{kBayer, 0, 1, 0},     {kBayer, 1, 1, 1},      {kBayer, 4, 1, 2}, {kBayer, 5, 1, 3},
                          {kTruesense, 9, 4, 9}, {kMonochrome, 7, 0, 7}, {kRgb, 3, 0, 3}};
    for (const Case& c : cases) {
        const ColorFields fields = ColorFieldsOf(c.videoType, c.cell);
        EXPECT_EQ(fields.colorFormat, c.colorFormat) << c.videoType << "/" << c.cell;
        EXPECT_EQ(fields.patternStart, c.patternStart) << c.videoType << "/" << c.cell;
    }
}

TEST(CameraParamsColour, DescriptionGivesVideoTypeAndCell) {
    struct Case {
        uint32_t bitDepth;
        uint8_t colorFormat, patternStart;
        int videoType, cell;
    };
    const Case cases[] = {{24, 1, 2, kRgb, 2},         {36, 0, 0, kRgb, 0},   {8, 0, 5, kMonochrome, 5},
                          {12, 4, 13, kTruesense, 13}, {10, 1, 3, kBayer, 5}, {10, 1, 1, kBayer, 1},
                          {8, 2, 0, kBayer, 0},        {8, 1, 2, kBayer, 4}};
    for (const Case& c : cases) {
        CameraDescription description{};
        description.config.bitDepth = c.bitDepth;
        description.colorFormat = c.colorFormat;
        description.patternStart = c.patternStart;
        const VideoSelection selection = VideoSelectionOf(description);
        EXPECT_EQ(selection.videoType, c.videoType) << c.bitDepth << "/" << int(c.colorFormat);
        EXPECT_EQ(selection.cell, c.cell) << c.bitDepth << "/" << int(c.colorFormat);
    }
}

}  // namespace
