#include <gtest/gtest.h>

#include <QGuiApplication>
#include <algorithm>

#include "IsolatedHome.h"
#include "capture/GlyphSet.h"

using namespace capture;

namespace {
long inkIn(const Glyph& g) {
    return std::count(g.cell.begin(), g.cell.end(), 0);
}
}  // namespace

TEST(StampGlyphs, SmallSansSerifInFixedCells) {
    const auto glyphs = RenderStampGlyphs();
    ASSERT_TRUE(glyphs);
    const GlyphSet& set = *glyphs;
    for (const Glyph& g : set) {
        EXPECT_EQ(g.height, set['0'].height);  // one line height: glyphs stand on one bottom
        EXPECT_EQ(inkIn(g) + std::count(g.cell.begin(), g.cell.end(), 255), long(g.cell.size()));
    }
    EXPECT_GE(set['0'].height, 9);
    EXPECT_LE(set['0'].height, 14);
    EXPECT_EQ(inkIn(set[' ']), 0);
    for (char c : {'0', '9', '.', ':', 'A', 'W', 'g'})
        EXPECT_GT(inkIn(set[uint8_t(c)]), 0) << c;
    EXPECT_GT(set['W'].width, set['i'].width);
    EXPECT_GT(inkIn(set[0xC4]), inkIn(set['A']));  // Latin-1: A with diaeresis
}

int main(int argc, char** argv) {
    const testsupport::IsolatedHome home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
