#include <gtest/gtest.h>

#include "app/PixelReadout.h"
#include "grabber/Grabber.h"

namespace {

struct ReadoutCase {
    const char* name;
    uint32_t bitDepth;
    uint8_t colorFormat;
    int64_t value;
    const char* text;
};

TEST(PixelReadout, ValueFollowsTheImageFormat) {
    const ReadoutCase cases[] = {
        {"8-bit mono", 8, ZAMGRB_COLOR_NONE, 200, "200"},
        {"12-bit mono", 12, ZAMGRB_COLOR_NONE, 4095, "4095"},
        {"RGB24", 24, ZAMGRB_COLOR_NONE, 0x00302010, "(16,32,48)"},
        {"8-bit Bayer", 8, ZAMGRB_COLOR_BAYER, 0x00ABCDEF, "(239,205,171)"},
        // A 10-bit Bayer image is shown from 16-bit channels, not from bytes.
        {"10-bit Bayer", 10, ZAMGRB_COLOR_BAYER, 0x0000'03FF'0200'0001, "(1,512,1023)"},
        {"RGB30", 30, ZAMGRB_COLOR_NONE, 0x0000'0001'0002'0003, "(3,2,1)"},
        {"TRUESENSE 8", 8, ZAMGRB_COLOR_TRUESENSE, 0x00010203, "(3,2,1)"},
    };
    for (const ReadoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        CameraDescription d = grabber::DefaultCameraDescription();
        d.config.bitDepth = c.bitDepth;
        d.colorFormat = c.colorFormat;
        const app::PixelReadout r = app::FormatPixelReadout(d, QPoint(12, 34), c.value);
        EXPECT_EQ(r.position.toStdString(), "12 x 34");
        EXPECT_EQ(r.value.toStdString(), c.text);
    }
}

TEST(PixelReadout, AllOnesClearsBothPanes) {
    const app::PixelReadout r =
        app::FormatPixelReadout(grabber::DefaultCameraDescription(), QPoint(1, 1), -1);
    EXPECT_TRUE(r.position.isEmpty());
    EXPECT_TRUE(r.value.isEmpty());
}

}  // namespace
