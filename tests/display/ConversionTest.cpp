// Region conversion of the visible part of hand-filled images.
#include <gtest/gtest.h>

#include "TestImages.h"
#include "display/DisplayConverter.h"
#include "display/Palette.h"
#include "display/ZoomGeometry.h"

using display::DisplayConverter;
using display::Palette;

namespace {

struct Converted {
    bool ok = false;
    QRect rect;
    QImage image;
};

Converted Convert(DisplayConverter& c, const CurrentImage& image, QRect rect, double zoom,
                  const display::PaletteEffects& effects = {}) {
    Palette palette;
    display::BuildPalette(palette, int(image.description.config.bitDepth), effects);
    Converted out;
    out.rect = rect;
    out.ok = c.ConvertImage(image, out.rect, zoom, palette);
    out.image = c.displayImage().copy();
    return out;
}

QRgb At(const Converted& c, int x, int y) {
    return c.image.pixel(x, y) & 0xFFFFFF;
}

}  // namespace

TEST(RegionGeometry, ZoomRegionsAreWholeImagePixels) {
    struct Case {
        QRect rect;
        double zoom;
        QRect r, d;
    };
    const Case cases[] = {
        {{0, 0, 250, 250}, 0.25, {0, 0, 1000, 1000}, {0, 0, 250, 250}},
        {{4, 5, 10, 7}, 3.0, {1, 1, 4, 3}, {3, 3, 12, 9}},
        {{10, 20, 30, 40}, 1.0, {10, 20, 30, 40}, {10, 20, 30, 40}},
    };
    for (const Case& c : cases) {
        const QRect r = display::ImageRegion(c.rect, c.zoom);
        EXPECT_EQ(r, c.r) << c.zoom;
        EXPECT_EQ(display::DisplayRegion(r, c.zoom), c.d) << c.zoom;
    }
    // The grid edge of a pixel is the first display pixel that shows it (or, below
    // zoom 1 where pixels are skipped, the first that shows it or a later one).
    for (double zoom : {0.7, 1.5, 3.0, 4.0, 5.3}) {
        for (int x = 0; x < 50; ++x) {
            const int64_t e = display::DisplayEdge(x, zoom);
            const int shown = display::DisplayToImage(QPoint(int(e), 0), zoom).x();
            if (zoom >= 1)
                EXPECT_EQ(shown, x) << zoom;
            else
                EXPECT_GE(shown, x) << zoom;
            EXPECT_LT(display::DisplayToImage(QPoint(int(e - 1), 0), zoom).x(), x) << zoom;
        }
    }
}

TEST(Conversion, MonoEightAtSeveralZooms) {
    CurrentImage image;
    testimages::Fill(image, testimages::Description(1000, 1000, 8), 1, 1,
                     [](int x, int y, int) { return uint32_t(x + 3 * y) & 0xFF; });
    DisplayConverter c;

    const Converted quarter = Convert(c, image, {0, 0, 250, 250}, 0.25);
    ASSERT_TRUE(quarter.ok);
    EXPECT_EQ(quarter.rect, QRect(0, 0, 250, 250));
    EXPECT_EQ(c.bufferedRect(), QRect(0, 0, 1000, 1000));
    EXPECT_EQ(At(quarter, 1, 2), qRgb(4 + 24, 4 + 24, 4 + 24) & 0xFFFFFF);  // image pixel (4, 8)

    const Converted three = Convert(c, image, {4, 5, 10, 7}, 3.0);
    ASSERT_TRUE(three.ok);
    EXPECT_EQ(three.rect, QRect(3, 3, 12, 9));
    EXPECT_EQ(c.stride(), 48);                                 // 12 x 4 bytes
    EXPECT_EQ(At(three, 0, 0), 0x040404u);                     // image pixel (1, 1)
    EXPECT_EQ(At(three, 3, 0), 0x050505u);                     // image pixel (2, 1)
    EXPECT_EQ(At(three, 11, 8), uint32_t(4 + 9) * 0x010101u);  // image pixel (4, 3)

    const Converted one = Convert(c, image, {998, 997, 5, 5}, 1.0);
    ASSERT_TRUE(one.ok);
    EXPECT_EQ(one.rect, QRect(998, 997, 2, 3)) << "clipped to the image";
    EXPECT_EQ(At(one, 1, 2), uint32_t((999 + 3 * 999) & 0xFF) * 0x010101u);
}

TEST(Conversion, DeepMonochromeGoesThroughThePalette) {
    CurrentImage image;
    testimages::Fill(image, testimages::Description(8, 4, 12), 1, 2,
                     [](int x, int, int) { return uint32_t(x * 500); });
    DisplayConverter c;
    const Converted z2 = Convert(c, image, {0, 0, 16, 8}, 2.0, {true, false, 1000, 3000});
    ASSERT_TRUE(z2.ok);
    EXPECT_EQ(At(z2, 1, 0), 0u);                // level 0
    EXPECT_EQ(At(z2, 8, 3), 127u * 0x010101u);  // level 2000
    EXPECT_EQ(At(z2, 15, 7), 0xFFFFFFu);        // level 3500
}

TEST(Conversion, DeepColourIsShiftedOnlyBelowSixteenBits) {
    struct Case {
        int bitDepth;
        uint32_t blue, green, red;
        QRgb expected;
    };
    const Case cases[] = {
        {30, 1023, 512, 4, qRgb(1, 128, 255)},        // 10 bits: shifted by 6
        {48, 65535, 32768, 1024, qRgb(4, 128, 255)},  // 16 bits: no shift
        {48, 1023, 512, 4, qRgb(0, 2, 4)},            // not shifted, so small
    };
    for (const Case& k : cases) {
        CurrentImage image;
        testimages::Fill(image, testimages::Description(3, 2, k.bitDepth), 4, 2, [&](int, int, int ch) {
            return ch == 0 ? k.blue : ch == 1 ? k.green : ch == 2 ? k.red : 0;
        });
        DisplayConverter c;
        for (double zoom : {1.0, 2.0}) {
            const Converted out = Convert(c, image, {0, 0, int(3 * zoom), int(2 * zoom)}, zoom);
            ASSERT_TRUE(out.ok) << k.bitDepth;
            EXPECT_EQ(At(out, 1, 1), k.expected & 0xFFFFFF) << k.bitDepth << " zoom " << zoom;
        }
    }
}

TEST(Conversion, ColourEightCopiesAndResizes) {
    CurrentImage image;
    testimages::Fill(image, testimages::Description(4, 4, 24), 4, 1, [](int x, int y, int ch) {
        return ch == 0 ? 10u : ch == 1 ? 20u + x : ch == 2 ? 30u + y : 0u;
    });
    DisplayConverter c;
    const Converted one = Convert(c, image, {1, 1, 2, 2}, 1.0);
    ASSERT_TRUE(one.ok);
    EXPECT_EQ(one.image.pixel(0, 0), qRgb(31, 21, 10)) << "opaque, fourth byte untouched";
    const Converted half = Convert(c, image, {0, 0, 2, 2}, 0.5);
    ASSERT_TRUE(half.ok);
    EXPECT_EQ(At(half, 1, 1), qRgb(32, 22, 10) & 0xFFFFFF);
    // A frame converted with three channels does not show on the 32-bit display.
    CurrentImage three;
    testimages::Fill(three, testimages::Description(4, 4, 24), 3, 1, [](int, int, int) { return 1u; });
    EXPECT_FALSE(Convert(c, three, {0, 0, 4, 4}, 1.0).ok);
}

TEST(Conversion, NothingUsableIsNoConversion) {
    DisplayConverter c;
    CurrentImage empty;
    empty.description = testimages::Description(640, 480, 8);
    EXPECT_FALSE(Convert(c, empty, {0, 0, 640, 480}, 1.0).ok);

    CurrentImage shortData;
    testimages::Fill(shortData, testimages::Description(16, 16, 8), 1, 1, [](int, int, int) { return 1u; });
    shortData.description.config.heightValid = 17;  // one row more than the block holds
    EXPECT_FALSE(Convert(c, shortData, {0, 0, 16, 16}, 1.0).ok);
    shortData.description.config.heightValid = 16;
    shortData.rowStep = 15;  // not whole pixels of the width
    EXPECT_FALSE(Convert(c, shortData, {0, 0, 16, 16}, 1.0).ok);
    shortData.rowStep = 16;
    EXPECT_FALSE(Convert(c, shortData, {0, 0, 16, 16}, 0.0).ok);
    EXPECT_FALSE(Convert(c, shortData, {100, 100, 16, 16}, 1.0).ok) << "outside the image";
    EXPECT_TRUE(Convert(c, shortData, {0, 0, 16, 16}, 1.0).ok);
}
