// Texts, tips and colours of the hex dump's cells.
#include <gtest/gtest.h>

#include "TestImages.h"
#include "display/HexCells.h"
#include "display/Palette.h"

using display::BodyCell;

TEST(HexCells, TextTipAndColours) {
    display::Palette grey8, colour8;
    display::BuildPalette(grey8, 8, {});
    display::BuildPalette(colour8, 8, {false, true, -1, -1});
    display::Palette grey12;
    display::BuildPalette(grey12, 12, {});
    const uint64_t rgb = 0x10 | 0x80 << 8 | 0xFF << 16;
    const uint64_t deep = 0x3FF | 0x200ull << 16 | 0x004ull << 32;
    struct Case {
        const char* name;
        CameraDescription d;
        uint64_t value;
        const display::Palette* palette;
        const char* text;
        const char* tip;
        QColor background, foreground;
    };
    const Case cases[] = {
        {"A5", testimages::Description(4, 4, 8), 0xA5, &grey8, "A5", "A5h = 165", QColor(165, 165, 165),
         Qt::black},
        {"dark", testimages::Description(4, 4, 8), 0x80, &grey8, "80", "80h = 128", QColor(128, 128, 128),
         Qt::white},
        {"colorized", testimages::Description(4, 4, 8), 0xFF, &colour8, "FF", "FFh = 255", QColor(255, 0, 0),
         Qt::black},
        {"no palette", testimages::Description(4, 4, 8), 0x40, nullptr, "40", "40h = 64", QColor(64, 0, 0),
         Qt::white},
        {"0FFF", testimages::Description(4, 4, 12), 0xFFF, &grey12, "0FFF", "0FFFh = 4095",
         QColor(255, 255, 255), Qt::black},
        {"colour", testimages::Description(4, 4, 24), rgb, nullptr, "R 10\nG 80\nB FF",
         "Red: 10h = 16\nGreen: 80h = 128\nBlue: FFh = 255", QColor(0x10, 0x80, 0xFF), Qt::white},
        {"deep colour", testimages::Description(4, 4, 30), deep, nullptr, "R 03FF\nG 0200\nB 0004",
         "Red: 03FFh = 1023\nGreen: 0200h = 512\nBlue: 0004h = 4", QColor(0xFF, 0x80, 0x01), Qt::black},
    };
    for (const Case& c : cases) {
        const display::HexCell cell =
            BodyCell(c.d, c.value, true, c.palette ? c.palette->bgr24.data() : nullptr,
                     c.palette ? c.palette->levels : 0);
        EXPECT_EQ(cell.text.toStdString(), c.text) << c.name;
        EXPECT_EQ(cell.tip.toStdString(), c.tip) << c.name;
        EXPECT_EQ(cell.background, c.background) << c.name;
        EXPECT_EQ(cell.foreground, c.foreground) << c.name;
    }
}

TEST(HexCells, WithoutPixelDataBlanksOnBlack) {
    struct Case {
        int bitDepth;
        const char* text;
    };
    for (const Case& c : {Case{8, "  "}, Case{12, "    "}, Case{24, "R   \nG   \nB   "},
                          Case{36, "R     \nG     \nB     "}}) {
        const display::HexCell cell =
            BodyCell(testimages::Description(2, 2, c.bitDepth), 0, false, nullptr, 0);
        EXPECT_EQ(cell.text.toStdString(), c.text);
        EXPECT_TRUE(cell.tip.isEmpty());
        EXPECT_EQ(cell.background, QColor(Qt::black));
        EXPECT_EQ(cell.foreground, QColor(Qt::white));
    }
    EXPECT_EQ(display::HeaderText(0), QStringLiteral("1"));
}
