#include <gtest/gtest.h>

#include "app/AboutTexts.h"

namespace {

// Firmware revision: four bytes, most significant first; image: a name or hex.
TEST(AboutTexts, FirmwareAndVersionTexts) {
    const std::pair<QString, const char*> cases[] = {
        {app::FormatFirmware(0x00010007), "0.1.0.7"},
        {app::FormatFirmware(0xFF000A01), "255.0.10.1"},
        {app::FormatFirmware(0), "0.0.0.0"},
        {app::FormatFirmwareImage(10), "Application"},
        {app::FormatFirmwareImage(15), "Factory"},
        {app::FormatFirmwareImage(11), "B"},
        {app::FormatFirmwareImage(0), "0"},
        {app::FormatFirmwareImage(0xBEEF), "BEEF"},
        {app::FormatVersionPair(0x00030001, 0x00020011), "3.1.2 (build 17)"},
        {app::FormatVersionPair(0xFFFFFFFF, 0xFFFF0000), "65535.65535.65535 (build 0)"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text.toStdString(), expected);
}

}  // namespace
