#include <gtest/gtest.h>

#include "AppVersion.h"
#include "app/AboutTexts.h"

namespace {

struct TextCase {
    uint32_t value;
    const char* text;
};

TEST(AboutTexts, FirmwareRevisionIsFourBytesMostSignificantFirst) {
    for (const TextCase& c : {TextCase{0x00010007, "0.1.0.7"}, TextCase{0x00020100, "0.2.1.0"},
                              TextCase{0xFF000A01, "255.0.10.1"}, TextCase{0, "0.0.0.0"}})
        EXPECT_EQ(app::FormatFirmware(c.value).toStdString(), c.text);
}

TEST(AboutTexts, FirmwareImage) {
    for (const TextCase& c : {TextCase{10, "Application"}, TextCase{15, "Factory"}, TextCase{11, "B"},
                              TextCase{0, "0"}, TextCase{0xBEEF, "BEEF"}})
        EXPECT_EQ(app::FormatFirmwareImage(c.value).toStdString(), c.text);
}

TEST(AboutTexts, VersionPairs) {
    EXPECT_EQ(app::FormatVersionPair(0x00030001, 0x00020011).toStdString(), "3.1.2 (build 17)");
    EXPECT_EQ(app::FormatVersionPair(0, 0).toStdString(), "0.0.0 (build 0)");
    EXPECT_EQ(app::FormatVersionPair(0xFFFFFFFF, 0xFFFF0000).toStdString(), "65535.65535.65535 (build 0)");
}

TEST(AboutTexts, ProductVersionComesFromTheBuild) {
    EXPECT_EQ(app::FormatVersionPair(app::ProductVersionMS(), app::ProductVersionLS()).toStdString(),
              std::to_string(app::kVersionMajor) + "." + std::to_string(app::kVersionMinor) + "." +
                  std::to_string(app::kVersionPatch) + " (build " + std::to_string(app::kVersionBuild) + ")");
}

}  // namespace
