#include <gtest/gtest.h>

#include "app/ChannelNames.h"

namespace {

TEST(ChannelNames, TitleAndMenuTexts) {
    struct Case {
        const char* cardAlias;
        uint8_t channel;
        const char* cameraAlias;
        const char* title;
        const char* menu;
    };
    const Case cases[] = {
        {"Line A", 0, "", "Line A - Channel 1", "Line A - Channel 1"},
        {"Line A", 1, "Top camera", "Line A - Channel 2: Top camera", "Line A - Channel 2: Top camera"},
        // Without a card alias the title starts with the channel, the menu with the separator.
        {"", 0, "", "Channel 1", " - Channel 1"},
        {"", 1, "Cam", "Channel 2: Cam", " - Channel 2: Cam"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::WindowTitle(c.cardAlias, c.channel, c.cameraAlias).toStdString(), c.title);
        EXPECT_EQ(app::ChannelMenuText(c.cardAlias, c.channel, c.cameraAlias).toStdString(), c.menu);
    }
}

}  // namespace
