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
        std::vector<std::pair<uint64_t, uint32_t>> expected;  // level, 0xRRGGBB
    };
    const uint32_t black = 0, white = 0xFFFFFF, green = 0x00FF00, red = 0xFF0000;
    const Case cases[] = {
        {"12-bit stretch between 1000 and 3000",
         12,
         {true, false, 1000, 3000},
         {{0, black},
          {999, black},
          {1000, black},
          {1001, Grey(1)},
          {2000, Grey(127)},
          {2999, Grey(254)},
          {3000, white},
          {4095, white}}},
        {"markers without stretch keep the full ramp",
         12,
         {false, false, 1000, 3000},
         {{0, black},
          {999, black},
          {1000, Grey(63)},
          {2000, Grey(125)},
          {3000, Grey(187)},
          {3001, white},
          {4094, white},
          {4095, white}}},
        {"colorize with no markers",
         8,
         {false, true, -1, -1},
         {{0, green}, {1, Grey(1)}, {254, Grey(254)}, {255, red}}},
        {"a low marker above the range blacks out every level below it",
         8,
         {true, false, 300, 999},
         {{0, black}, {128, black}, {254, black}, {255, white}}},
        {"crossed markers paint under and over only",
         8,
         {true, true, 200, 100},
         {{0, green}, {99, green}, {100, red}, {150, red}, {255, red}}},
    };
    for (const Case& c : cases) {
        Palette p;
        BuildPalette(p, c.bits, c.effects);
        for (const auto& [level, rgb] : c.expected) {
            EXPECT_EQ(Rgb(p, level), rgb) << c.name << " level " << level;
            EXPECT_EQ(Bgr(p, level), rgb) << c.name << " level " << level << " (24-bit palette)";
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
