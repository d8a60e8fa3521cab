// Pixel values and the readout texts made of them.
#include <gtest/gtest.h>

#include "TestImages.h"
#include "app/PixelReadout.h"
#include "display/PixelValue.h"

using display::GetPixelValue;

TEST(PixelValue, EveryKindAndItsReadout) {
    struct Case {
        const char* name;
        int bitDepth;
        uint8_t colour;
        int channels, sampleBytes;
        uint32_t b, g, r;
        uint64_t value;
        const char* text;
    };
    const Case cases[] = {
        {"mono 8", 8, ZAMGRB_COLOR_NONE, 1, 1, 200, 0, 0, 200, "200"},
        {"mono 12", 12, ZAMGRB_COLOR_NONE, 1, 2, 4095, 0, 0, 4095, "4095"},
        {"RGB 24, 3 channels", 24, ZAMGRB_COLOR_NONE, 3, 1, 10, 20, 30, 30 | 20 << 8 | 10 << 16,
         "(30,20,10)"},
        {"RGB 24, 4 channels", 24, ZAMGRB_COLOR_NONE, 4, 1, 10, 20, 30, 30 | 20 << 8 | 10 << 16,
         "(30,20,10)"},
        {"Bayer 8", 8, ZAMGRB_COLOR_BAYER, 4, 1, 1, 2, 3, 3 | 2 << 8 | 1 << 16, "(3,2,1)"},
        {"RGB 30", 30, ZAMGRB_COLOR_NONE, 4, 2, 1000, 500, 7, 7 | 500ull << 16 | 1000ull << 32,
         "(7,500,1000)"},
        {"Bayer 12", 12, ZAMGRB_COLOR_BAYER, 3, 2, 4095, 1, 2, 2 | 1ull << 16 | 4095ull << 32, "(2,1,4095)"},
        {"TRUESENSE 8", 8, ZAMGRB_COLOR_TRUESENSE, 4, 1, 1, 2, 3, 3 | 2 << 8 | 1 << 16, "(3,2,1)"},
    };
    for (const Case& c : cases) {
        CurrentImage image;
        testimages::Fill(image, testimages::Description(3, 2, c.bitDepth, c.colour), c.channels,
                         c.sampleBytes, [&](int x, int y, int ch) {
                             if (x != 1 || y != 1)
                                 return 0u;
                             return ch == 0 ? c.b : ch == 1 ? c.g : ch == 2 ? c.r : 0u;
                         });
        const uint64_t v = GetPixelValue(image, {1, 1});
        EXPECT_EQ(v, c.value) << c.name;
        const app::PixelReadout text = app::FormatPixelReadout(image.description, {2, 2}, int64_t(v));
        EXPECT_EQ(text.value.toStdString(), c.text) << c.name;
        EXPECT_EQ(text.position.toStdString(), "2 x 2");
        EXPECT_EQ(GetPixelValue(image, {0, 0}), 0u) << c.name;
        EXPECT_EQ(GetPixelValue(image, {3, 0}), display::kNoPixelValue) << c.name << ": outside";
    }
    CurrentImage none;
    none.description = testimages::Description(640, 480, 8);
    EXPECT_EQ(GetPixelValue(none, {0, 0}), display::kNoPixelValue);
    const app::PixelReadout cleared = app::FormatPixelReadout(none.description, {1, 1}, -1);
    EXPECT_TRUE(cleared.value.isEmpty());
    EXPECT_TRUE(cleared.position.isEmpty());
}
