#include <gtest/gtest.h>

#include "LutCommands.h"
#include "kit/Profile.h"

using namespace lut;

namespace {

TEST_F(LutCommands, ToggleWithMissingFileOpensTheDialog) {
    LutController lut = Make(files_.Missing());
    lut.StartUp();
    EXPECT_EQ(lut.fileName(), files_.Missing());
    lut.OnToggleLut();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].fileName, files_.Missing());
    EXPECT_FALSE(lut.useLut());
    EXPECT_EQ(levels(), nullptr);
}

TEST_F(LutCommands, ToggleTurnsOnAndOff) {
    appkit::Profile::WriteString(kSettingsSection, "LUTFileName", good_);
    LutController lut = Make();
    lut.StartUp();
    EXPECT_FALSE(lut.useLut());
    lut.OnToggleLut();
    EXPECT_TRUE(lut.useLut());
    ASSERT_NE(values(), nullptr);
    EXPECT_EQ(values()[0], 4095);
    lut.OnToggleLut();
    EXPECT_FALSE(lut.useLut());
    EXPECT_EQ(values(), nullptr);
    EXPECT_TRUE(shown_.empty());
}

TEST_F(LutCommands, SettingsDialogShowsAgainUntilAFileLoadsOrCancel) {
    LutController lut = Make();
    lut.StartUp();
    answers_ = {LutDialogRequest{bad_, true}, LutDialogRequest{files_.Missing(), true},
                LutDialogRequest{good_, true}};
    lut.OnLookupTable();
    ASSERT_EQ(shown_.size(), 3u);
    EXPECT_EQ(shown_[1].fileName, bad_);  // shown again with what the user chose
    EXPECT_EQ(messages_, QStringList{"Lookup table size is incorrect\nExpected 4096, found 1: "});
    EXPECT_TRUE(lut.useLut());
    EXPECT_EQ(lut.fileName(), good_);
    ASSERT_NE(values(), nullptr);

    // Loaded but not enabled: nothing attached. Cancel changes nothing.
    answers_ = {LutDialogRequest{other_, false}};
    lut.OnLookupTable();
    EXPECT_FALSE(lut.useLut());
    EXPECT_EQ(values(), nullptr);
    answers_ = {std::nullopt};
    lut.OnLookupTable();
    EXPECT_EQ(lut.fileName(), other_);
}

TEST_F(LutCommands, StartUpAndShutDownSettings) {
    appkit::Profile::WriteInt(kSettingsSection, "UseLUT", 1);
    appkit::Profile::WriteString(kSettingsSection, "LUTFileName", good_);
    {
        LutController lut = Make();
        lut.StartUp();
        EXPECT_TRUE(lut.useLut());
        EXPECT_NE(levels(), nullptr);
        lut.OnToggleLut();
        lut.ShutDown();
    }
    EXPECT_EQ(appkit::Profile::GetInt(kSettingsSection, "UseLUT", -1), 0);
    EXPECT_EQ(appkit::Profile::GetString(kSettingsSection, "LUTFileName"), good_);
}

TEST_F(LutCommands, StartUpWithABrokenStoredFile) {
    const struct {
        const char* name;
        std::deque<std::optional<LutDialogRequest>> answers;
        bool useLut;
        bool attached;
    } cases[] = {
        {"cancel", {std::nullopt}, false, false},
        {"other file enabled", {LutDialogRequest{other_, true}}, true, true},
        {"other file not enabled", {LutDialogRequest{other_, false}}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        appkit::Profile::WriteInt(kSettingsSection, "UseLUT", 1);
        appkit::Profile::WriteString(kSettingsSection, "LUTFileName", bad_);
        description_.lutLevels = description_.lutValues = nullptr;
        answers_ = c.answers;
        LutController lut = Make();
        lut.StartUp();
        // What the menu check shows is what the picture gets.
        EXPECT_EQ(lut.useLut(), c.useLut);
        EXPECT_EQ(levels() != nullptr, c.attached);
    }
}

TEST_F(LutCommands, AttachedTablesOutliveReloadsWhileHeld) {
    appkit::Profile::WriteString(kSettingsSection, "LUTFileName", good_);
    LutController lut = Make();
    lut.StartUp();
    lut.OnToggleLut();
    // A frame queued for capture keeps what was attached when it was taken.
    const LutAttachment queued{levels(), values(), std::static_pointer_cast<const LutTableSet>(owner_)};
    ASSERT_NE(queued.values, nullptr);

    // A failed load empties the tables, yet the description's arrays stay valid
    // while the dialog is up, until the next attach.
    answers_ = {LutDialogRequest{bad_, true}, std::nullopt};
    lut.OnLookupTable();
    EXPECT_EQ(lut.tables(), nullptr);
    EXPECT_EQ(values(), nullptr);

    answers_ = {LutDialogRequest{other_, true}};
    lut.OnLookupTable();
    EXPECT_EQ(values()[100], 50);
    EXPECT_EQ(queued.owner.use_count(), 1);  // only the queued frame holds the old set now
    EXPECT_EQ(queued.values[100], 4095 - 100);
    EXPECT_EQ(queued.owner->Find(12)->values.data(), queued.values);
}

TEST_F(LutCommands, AttachFollowsTheImageDepth) {
    appkit::Profile::WriteString(kSettingsSection, "LUTFileName", good_);
    LutController lut = Make();
    lut.StartUp();
    lut.OnToggleLut();
    for (const uint32_t depth : {8u, 10u, 14u, 16u, 24u, 30u, 48u}) {
        description_.config.bitDepth = depth;
        lut.AttachLut();
        const LutTable* table = lut.tables()->Find(int(depth));
        EXPECT_EQ(values(), table ? table->values.data() : nullptr) << depth;
        EXPECT_EQ(owner_ != nullptr, values() != nullptr) << depth;
    }
}

}  // namespace
