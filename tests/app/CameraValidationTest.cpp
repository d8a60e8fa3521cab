#include <gtest/gtest.h>

#include "app/CameraValidation.h"
#include "grabber/Grabber.h"

namespace {

CameraConfig config(uint32_t bitDepth, uint8_t taps, uint8_t channels, uint32_t width = 640,
                    uint32_t height = 480, uint8_t tapOutput = 0) {
    CameraConfig c = grabber::DefaultCameraDescription().config;
    c.bitDepth = bitDepth;
    c.tapConfig.taps = taps;
    c.tapConfig.channels = channels;
    c.tapConfig.tapOutput = tapOutput;
    c.widthValid = width;
    c.heightValid = height;
    return c;
}

struct ValidationCase {
    const char* name;
    CameraConfig config;
    bool fullDeca;
    uint32_t firmware;
    int message;
    bool asksCard;
};

TEST(CameraValidation, ChecksInTheirOrder) {
    const ValidationCase cases[] = {
        {"80-bit Deca on a capable card", config(8, 10, 1), true, 0x00020100, 0, true},
        {"96 bits is refused before the card is asked", config(12, 8, 1), true, 0x00020100, 140, false},
        {"96 bits over two channels", config(16, 3, 2), false, 0, 140, false},
        {"80 bits without the capability", config(8, 10, 1), false, 0x00020100, 143, true},
        {"64 bits without the capability", config(16, 2, 2), false, 0x00020100, 142, true},
        {"48 bits on old firmware", config(12, 4, 1), true, 0x0001FFFF, 141, true},
        {"48 bits on 0.2.0.0", config(12, 4, 1), true, 0x00020000, 0, true},
        {"24 bits never asks the card", config(8, 3, 1), false, 0, 0, false},
        {"zero width", config(8, 1, 1, 0, 480), true, 0x00020100, 151, false},
        {"zero height", config(8, 1, 1, 640, 0), true, 0x00020100, 151, false},
        {"too many bits wins over zero width", config(12, 8, 1, 0, 0), true, 0x00020100, 140, false},
        {"Alternate pairs cannot place three taps", config(8, 3, 1, 639, 480, 1), true, 0, 154, false},
        {"Alternate with four taps", config(8, 4, 1, 640, 480, 1), true, 0x00020100, 0, true},
        {"fewer columns than taps", config(8, 3, 1, 2, 480), true, 0, 154, false},
        {"one line per channel is enough", config(8, 1, 2, 1, 2), true, 0, 0, false},
        {"zero width before the tap layout", config(8, 3, 1, 0, 480, 1), true, 0, 151, false},
    };
    for (const ValidationCase& c : cases) {
        SCOPED_TRACE(c.name);
        int queries = 0;
        app::CardQueries card{[&] {
                                  ++queries;
                                  return c.fullDeca;
                              },
                              [&] {
                                  ++queries;
                                  return c.firmware;
                              }};
        EXPECT_EQ(app::ValidateCameraConfig(c.config, card), c.message);
        if (!c.asksCard) {
            EXPECT_EQ(queries, 0);
        }
    }
}

TEST(CameraValidation, ReconfigureMessages) {
    struct Case {
        uint32_t status;
        CameraConfig config;
        uint8_t channel;
        const char* text;
    };
    const Case cases[] = {
        {0, config(16, 2, 1), 0, ""},
        {3, config(8, 4, 1), 0, ""},
        {254, config(16, 2, 1), 1, "Invalid camera parameters."},
        {1, config(8, 3, 1), 1, "Invalid camera parameters."},
        {1, config(8, 4, 1), 1, "Medium mode not supported on Channel 2."},
        {1, config(8, 4, 1), 0, "Port2 is busy. It is being used by Channel 2."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::ReconfigureMessage(c.status, c.config, c.channel).toStdString(), c.text) << c.status;
}

}  // namespace
