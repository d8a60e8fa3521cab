// The display palette: ramp, stretch, markers and colours.
#include <gtest/gtest.h>

#include "display/Palette.h"

using display::BuildPalette;
using display::Palette;
using display::PaletteEffects;

namespace {

uint32_t Rgb(const Palette& p, uint64_t level) {
    return p.rgb32[level] & 0xFFFFFFu;
}

uint32_t Bgr(const Palette& p, uint64_t level) {
    const uint8_t* b = &p.bgr24[level * 3];
    return uint32_t(b[2]) << 16 | uint32_t(b[1]) << 8 | b[0];
}

uint32_t Grey(int g) {
    return uint32_t(g) * 0x010101u;
}

}  // namespace

TEST(Palette, EightBitsWithoutEffectsIsTheIdentityRamp) {
    Palette p;
    BuildPalette(p, 8, {});
    ASSERT_EQ(p.levels, 256u);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(Rgb(p, i), Grey(i)) << i;
    EXPECT_EQ(p.rgb32[7] >> 24, 0xFFu) << "display words are opaque";
}

TEST(Palette, RulesOfStretchMarkersAndColorize) {
    struct Case {
        const char* name;
        int bits;
        PaletteEffects effects;
        std::vector<uint64_t> levels;
        std::vector<uint32_t> colours;  // 0xRRGGBB of each level
    };
    const uint32_t black = 0, white = 0xFFFFFF, green = 0x00FF00, red = 0xFF0000;
    const Case cases[] = {
        {"12-bit stretch between 1000 and 3000",
         12,
         {true, false, 1000, 3000},
         {0, 999, 1000, 1001, 2000, 2999, 3000, 4095},
         {black, black, black, Grey(1), Grey(127), Grey(254), white, white}},
        {"markers without stretch keep the full ramp",
         12,
         {false, false, 1000, 3000},
         {0, 999, 1000, 2000, 3000, 3001, 4094, 4095},
         {black, black, Grey(63), Grey(125), Grey(187), white, white, white}},
        {"colorize with no markers",
         8,
         {false, true, -1, -1},
         {0, 1, 254, 255},
         {green, Grey(1), Grey(254), red}},
        {"a low marker above the range blacks out every level below it",
         8,
         {true, false, 300, 999},
         {0, 128, 254, 255},
         {black, black, black, white}},
        {"crossed markers paint under and over only",
         8,
         {true, true, 200, 100},
         {0, 99, 100, 150, 255},
         {green, green, red, red, red}},
    };
    for (const Case& c : cases) {
        Palette p;
        BuildPalette(p, c.bits, c.effects);
        ASSERT_EQ(c.levels.size(), c.colours.size()) << c.name;
        for (size_t i = 0; i < c.levels.size(); ++i) {
            EXPECT_EQ(Rgb(p, c.levels[i]), c.colours[i]) << c.name << " level " << c.levels[i];
            EXPECT_EQ(Bgr(p, c.levels[i]), c.colours[i]) << c.name << " level " << c.levels[i] << " (24-bit)";
        }
    }
}

TEST(Palette, ColourDepthsHaveNone) {
    Palette p;
    BuildPalette(p, 24, {});
    EXPECT_TRUE(p.empty());
    BuildPalette(p, 10, {});
    EXPECT_EQ(p.levels, 1024u);
    EXPECT_EQ(p.bgr24.size(), 1024u * 3);
}
