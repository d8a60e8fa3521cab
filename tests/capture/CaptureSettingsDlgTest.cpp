// The capture settings window: its rules, Start/Stop Capture, the saving progress
// and the options pages opened from it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSlider>

#include "GuiTestSupport.h"
#include "capture/CCaptureSettingsDlg.h"
#include "kit/Profile.h"
#include "tests/camera/ModalHelper.h"

using namespace capture;
using appkit::Profile;

namespace {

// The ids of the controls that are enabled, of those given.
std::vector<int> Enabled(QWidget& dialog, std::initializer_list<int> ids) {
    std::vector<int> enabled;
    for (const int id : ids)
        if (Control(dialog, id)->isEnabled())
            enabled.push_back(id);
    return enabled;
}

const std::initializer_list<int> kRuled = {1004, 1005, 1009, 1010, 1011};

}  // namespace

TEST(CaptureSettingsDlg, StoredChoicesAndTheRulesOfFormatAndMode) {
    Profile::WriteInt("Settings", "ImageType", kImageTiff);
    Profile::WriteInt("Settings", "SaveType", kSaveSeries);
    Profile::WriteInt("Settings", "NormalizedImage", 1);
    CCaptureSettingsDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    for (const int id : {1002, 1007, 1004})
        EXPECT_TRUE(Control<QAbstractButton>(dialog, id)->isChecked()) << id;
    EXPECT_EQ(Enabled(dialog, kRuled), (std::vector<int>{1004, 1010}));

    const struct {
        int click;
        std::vector<int> enabled;
    } steps[] = {{1000, {1010}},
                 {1001, {1005, 1010}},
                 {1008, {1005, 1011}},
                 {1003, {1004, 1011}},
                 {1006, {1004, 1009}}};
    for (const auto& s : steps) {
        Control<QAbstractButton>(dialog, s.click)->click();
        EXPECT_EQ(Enabled(dialog, kRuled), s.enabled) << s.click;
    }
    const CaptureSettings& settings = dialog.Settings();
    EXPECT_EQ(settings.series.ImageType, kImageRaw);
    EXPECT_EQ(&settings.Current(), &settings.singleFrame);
    Control<QAbstractButton>(dialog, 1004)->click();
    Control<QSlider>(dialog, 1005)->setValue(9);
    EXPECT_FALSE(settings.Normalize);
    EXPECT_EQ(settings.JPGQuality, 9u);
}

TEST(CaptureSettingsDlg, StartStopLocksTheSettingsAndTellsTheOwner) {
    CCaptureSettingsDlg dialog;
    dialog.SetCaptureOn(true);  // before the window exists
    ASSERT_TRUE(dialog.Create(nullptr));
    QSignalSpy notified(&dialog, &CFloatingDlg::notify);
    auto* button = Control<QAbstractButton>(dialog, 1012);
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(Enabled(dialog, {1000, 1006, 1009, 1012}), std::vector<int>{1012});

    button->click();
    EXPECT_FALSE(dialog.IsCaptureOn());
    EXPECT_EQ(button->text(), QStringLiteral("Start Capture"));
    EXPECT_EQ(Enabled(dialog, {1000, 1005, 1006, 1009, 1010, 1012}),
              (std::vector<int>{1000, 1006, 1009, 1012}));
    button->click();
    EXPECT_TRUE(dialog.IsCaptureOn());
    EXPECT_EQ(button->text(), QStringLiteral("Stop Capture"));
    ASSERT_EQ(notified.size(), 2);
    EXPECT_EQ(notified[1], (QList<QVariant>{112, 0}));

    dialog.SetCaptureOn(false);
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(notified.size(), 2) << "the main frame's own stop is not sent back";
    EXPECT_TRUE(Control(dialog, 1009)->isEnabled());
}

TEST(CaptureSettingsDlg, NotReadyWhileFramesAreWritten) {
    CCaptureSettingsDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    auto* progress = Control<QProgressBar>(dialog, 1169);
    const auto shown = [&](int id) { return Control(dialog, id)->isVisibleTo(&dialog); };

    dialog.SetSavingMode(false);
    EXPECT_TRUE(shown(1169) && shown(1170) && !shown(1012));
    EXPECT_EQ(Enabled(dialog, {1000, 1004, 1006, 1009, 1169, 1170}), (std::vector<int>{1169, 1170}));
    dialog.SetProgressRange(10);
    const std::pair<uint32_t, int> remaining[] = {{10, 0}, {3, 7}, {0, 10}, {11, 0}};
    for (const auto& [left, position] : remaining) {
        dialog.SetProgressRemaining(left);
        EXPECT_EQ(progress->value(), position) << left;
    }
    dialog.SetSavingMode(true);
    EXPECT_TRUE(!shown(1169) && !shown(1170) && shown(1012));
    EXPECT_EQ(Enabled(dialog, {1000, 1004, 1005, 1006, 1009, 1010, 1012, 1169}),
              (std::vector<int>{1000, 1006, 1009, 1012}));
}

TEST(CaptureSettingsDlg, AnAcceptedPageIsStoredSavedAndAnnounced) {
    CCaptureSettingsDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    QSignalSpy notified(&dialog, &CFloatingDlg::notify);
    Control<QAbstractButton>(dialog, 1007)->click();
    for (const bool accept : {false, true}) {
        OnNextModal<CCaptureOptions>([accept](CCaptureOptions* page) {
            EXPECT_EQ(page->PageId(), kPageSeries);
            page->findChild<QLineEdit*>("1051")->setText("/data/run1/Glintrail");
            accept ? page->accept() : page->reject();
        });
        Control<QAbstractButton>(dialog, 1010)->click();
        EXPECT_EQ(GetText(dialog.Settings().series.FileName) == "/data/run1/Glintrail", accept);
        EXPECT_EQ(Profile::GetString("Settings/MultipleFrame", "FileName"),
                  accept ? QStringLiteral("/data/run1/Glintrail") : QString());
        EXPECT_EQ(notified.size(), accept ? 1 : 0);
    }
    EXPECT_EQ(notified.value(0), (QList<QVariant>{112, 1}));
    EXPECT_EQ(Profile::GetInt("Settings", "SaveType", 0), int(kSaveSeries));
}
