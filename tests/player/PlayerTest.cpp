#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <vector>

#include "GuiTestSupport.h"
#include "TempFolder.h"
#include "player/CPlayer.h"
#include "player/CPlayerCtrl.h"
#include "player/CPlayerView.h"
#include "zamgrb.h"

using namespace player;

namespace {

QSettings profile() {
    return QSettings(kPlayerOrganization, kPlayerApplication);
}

// A grey BMP from the card library's writer.
void writeGrey(const std::filesystem::path& path, uint32_t width, uint32_t height) {
    std::vector<uint8_t> pixels(size_t(width) * height, 77);
    CameraDescription d{};
    d.config.widthValid = width, d.config.heightValid = height, d.config.bitDepth = 8;
    SetTapFormat(1, &d.config.tapConfig);
    ASSERT_EQ(SaveBmpFile(&d, pixels.data(), path.c_str()), 0u);
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        profile().clear();
        RecordedMessages().clear();
        writeGrey(folder.path / "a.bmp", 1024, 768);
        writeGrey(folder.path / "b.BMP", 64, 48);
        std::ofstream(folder.path / "c.txt") << "text";
        std::ofstream(folder.path / "x.jpg") << "not a JPEG";
        player = new CPlayer({640, 480}, IDC_FULL_FRAME, nullptr);
        control()->SetFolder(QString::fromStdString(folder.path.string()));
    }
    void TearDown() override { delete player.data(); }
    CPlayerCtrl* control() const { return player->Control(); }
    QListWidget* list() const { return control()->FileList(); }
    void click(int id) { control()->Button(id)->click(); }

    TempFolder folder;
    QPointer<CPlayer> player;
};

TEST_F(PlayerTest, StepForwardWithoutSelectionShowsTheFirstAtTheChosenSize) {
    EXPECT_EQ(list()->count(), 3) << "a.bmp, b.BMP, x.jpg";
    EXPECT_EQ(player->View()->ClientSize(), QSize(640, 480));
    click(IDC_STEP_FORWARD);
    QApplication::processEvents();  // the step is posted to the panel
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(player->CurrentImage().size(), QSize(1024, 768));
    EXPECT_EQ(player->View()->ClientSize(), QSize(1024, 768));
    click(IDC_QUARTER_FRAME);
    EXPECT_EQ(player->View()->ClientSize(), QSize(256, 192));
    click(IDC_HALF_FRAME);
    EXPECT_EQ(player->View()->ClientSize(), QSize(512, 384));
    EXPECT_EQ(player->size(),
              QSize(512, 384) + 2 * QSize(5, 5) + 2 * QSize(1, 1) * player->View()->frameWidth());
}

TEST_F(PlayerTest, RunningPastAnEndStopsAtOnceOnBothWindows) {
    const struct Row { int button, row; } rows[] = {{IDC_PLAY, 2}, {IDC_FAST_FORWARD, 2}, {IDC_REWIND, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.button);
        list()->setCurrentRow(r.row);
        RecordedMessages().clear();
        click(r.button);
        EXPECT_EQ(player->Mode(), r.button);
        EXPECT_TRUE(control()->Button(r.button)->isChecked());
        QTRY_COMPARE(player->Mode(), int(IDC_STOP));
        EXPECT_EQ(list()->currentRow(), r.row);
        EXPECT_FALSE(control()->Button(r.button)->isChecked());
        EXPECT_FALSE(player->findChild<QAbstractButton*>(QString::number(r.button))->isChecked());
    }
}

TEST_F(PlayerTest, FileThatIsNoJpegSaysSoAndKeepsThePicture) {
    list()->setCurrentRow(1);
    ASSERT_EQ(player->CurrentImage().size(), QSize(64, 48));
    list()->setCurrentRow(2);
    const QString path = QString::fromStdString((folder.path / "x.jpg").string());
    EXPECT_EQ(RecordedMessages(), QStringList{"Can't read file '" + path + "'."});
    EXPECT_EQ(player->CurrentImage().size(), QSize(64, 48));
    EXPECT_EQ(player->View()->ClientSize(), QSize(64, 48));
}

TEST_F(PlayerTest, FolderIsKeptWhenThePanelGoesAndTheDesktopIsTheDefault) {
    const QString chosen = QString::fromStdString(folder.path.string());
    player->close();  // deletes itself later; the panel goes now
    EXPECT_EQ(profile().value("PlayerFolder").toString(), chosen);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(player, nullptr);
    profile().setValue("PlayerFolder", QString());
    player = new CPlayer({640, 480}, IDC_FULL_FRAME, nullptr);
    EXPECT_EQ(control()->Folder(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

}  // namespace
