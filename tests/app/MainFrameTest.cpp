#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "GuiTestSupport.h"
#include "StoredProfile.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "display/CChildView.h"
#include "kit/CFloatingDlg.h"
#include "res/ResourceIds.h"

namespace {

using MainFrameTest = EmptyProfileTest;

TEST_F(MainFrameTest, StartsOnTheSoftwareCardAndSavesItsPlacement) {
    {
        CMainFrame frame;
        ASSERT_TRUE(frame.OnCreate());
        frame.show();
        QApplication::processEvents();
        EXPECT_NE(frame.cardHandle(), 0u) << "the software card opens";
        EXPECT_EQ(frame.view()->scrollSize(), QSize(640, 480)) << "the default camera's image at 100 %";
        frame.close();
        EXPECT_FALSE(frame.isVisible());
    }
    EXPECT_TRUE(appkit::Profile::Contains(appkit::kFloatingWindowsSection, QStringLiteral("CMainFrame")));
}

TEST_F(MainFrameTest, ToolbarIconsGreyWhenDisabledAndEveryPaneIsThere) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    QToolBar* bar = frame.findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    for (QAction* button : bar->actions()) {
        if (!button->isSeparator()) {
            // Drawn at the toolbar's size, and greyed when disabled.
            const QImage normal = button->icon().pixmap(24).toImage();
            EXPECT_EQ(normal.size(), QSize(24, 24));
            EXPECT_NE(normal, button->icon().pixmap(24, QIcon::Disabled).toImage());
        }
    }
    for (int id : {49111, 49110, 49109, 49101, 49102, 49103})
        EXPECT_NE(frame.pane(id), nullptr) << id;
    EXPECT_EQ(frame.pane(49105)->text(), "Camera online");
    EXPECT_GE(frame.pane(49102)->minimumWidth(),
              frame.pane(49102)->fontMetrics().horizontalAdvance("(ZZZZZ,ZZZZZ,ZZZZZ)"));
}

TEST_F(MainFrameTest, KeysAndToggles) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.show();
    EXPECT_EQ(frame.action(res::ID_FULL_SCREEN)->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_TRUE(frame.action(res::ID_ZOOM_100)->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_1)));

    // A tool window toggles, and its menu item follows its visibility.
    QAction* stats = frame.action(res::ID_STATISTICS);
    const bool before = stats->isChecked();
    frame.ExecuteCommand(res::ID_STATISTICS);
    frame.UpdateCommandUI();
    EXPECT_NE(stats->isChecked(), before);
    frame.ExecuteCommand(res::ID_STATISTICS);
    frame.UpdateCommandUI();
    EXPECT_EQ(stats->isChecked(), before);
}

TEST_F(MainFrameTest, ResetDialogPositionMovesOnlyTheToolWindows) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.move(200, 150);
    frame.show();
    frame.ExecuteCommand(res::ID_STATISTICS);
    QWidget* stats = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == "Statistics")
            stats = w;
    ASSERT_NE(stats, nullptr);
    stats->move(300, 300);
    const QSize statsSize = stats->size();
    QToolBar* bar = frame.findChild<QToolBar*>();
    const QPoint barPos = bar->pos(), statusPos = frame.statusBar()->pos(), viewPos = frame.view()->pos();

    frame.ExecuteCommand(res::ID_RESET_DIALOG_POSITION);
    EXPECT_EQ(stats->pos(), QPoint(0, 0));
    EXPECT_EQ(stats->size(), statsSize);
    EXPECT_EQ(bar->pos(), barPos);
    EXPECT_EQ(frame.statusBar()->pos(), statusPos);
    EXPECT_EQ(frame.view()->pos(), viewPos);
}

TEST_F(MainFrameTest, StoredPlacementMovesTheFrameWithoutResizing) {
    QSize unplaced;
    {
        CMainFrame frame;
        ASSERT_TRUE(frame.OnCreate());
        unplaced = frame.size();
    }
    StoredProfile().clear();
    StorePlacement("CMainFrame", 70, 80, 1234, 999, 1);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    EXPECT_EQ(frame.pos(), QPoint(70, 80));
    EXPECT_EQ(frame.size(), unplaced) << "the stored size is not used";
}

// Stored on a screen that is gone, the frame comes back on the nearest one when shown.
TEST_F(MainFrameTest, AFrameStoredOffEveryScreenComesBackIntoView) {
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    StorePlacement("CMainFrame", work.right() + 500, work.bottom() + 500, 900, 700, 0);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.show();
    QApplication::processEvents();
    EXPECT_TRUE(work.contains(frame.frameGeometry().topLeft())) << frame.x() << "," << frame.y();
    EXPECT_LE(frame.frameGeometry().right(), work.right());
}

TEST_F(MainFrameTest, PixelValueGoesToItsPanes) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.ShowPixelValue(QPoint(3, 4), 77);
    EXPECT_EQ(frame.pane(res::ID_PANE_POSITION)->text(), "3 x 4");
    EXPECT_EQ(frame.pane(res::ID_PANE_VALUE)->text(), "77");
    frame.ShowPixelValue(QPoint(3, 4), -1);
    EXPECT_TRUE(frame.pane(res::ID_PANE_POSITION)->text().isEmpty());
    EXPECT_TRUE(frame.pane(res::ID_PANE_VALUE)->text().isEmpty());
}

TEST_F(MainFrameTest, AboutBoxShowsTheCardsVersions) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    CAboutDlg about(frame.cardHandle());
    auto text = [&](int id) {
        QLabel* l = about.findChild<QLabel*>(QString::number(id));
        return l ? l->text() : QStringLiteral("<missing>");
    };
    EXPECT_EQ(text(1140), "0.2.1.0");
    EXPECT_EQ(text(1141), "Application");
    EXPECT_TRUE(text(1138).endsWith(")")) << text(1138).toStdString();

    CAboutDlg noCard(0);
    auto noCardText = [&](int id) { return noCard.findChild<QLabel*>(QString::number(id))->text(); };
    EXPECT_EQ(noCardText(1140), "0.0.0.0") << "values not returned stay 0";
    EXPECT_EQ(noCardText(1139), "0.0.0 (build 0)");
}

// A maximised window keeps its size whatever the camera; leaving full screen brings
// back the zoom mode in force, which the pane after the seven says.
TEST_F(MainFrameTest, MaximisedKeepsItsSizeAndFullScreenRestoresTheZoomMode) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.showMaximized();
    QApplication::processEvents();
    const QRect maximised = frame.geometry();
    frame.ExecuteCommand(res::ID_CHANNEL_2);
    ASSERT_EQ(frame.channel(), 1);
    EXPECT_EQ(frame.geometry(), maximised);
    const CChildView& view = *frame.view();
    for (const auto& [command, pane] :
         {std::pair{res::ID_ZOOM_FIT, "Fit"}, std::pair{res::ID_ZOOM_200, "200%"}}) {
        frame.ExecuteCommand(command);
        frame.ExecuteCommand(res::ID_FULL_SCREEN);
        QApplication::processEvents();
        EXPECT_EQ(frame.zoomPane()->text(), "Fit");
        frame.ExecuteCommand(res::ID_FULL_SCREEN);
        QApplication::processEvents();
        EXPECT_EQ(frame.zoomPane()->text(), pane);
        const QSize client = view.viewport()->size();
        EXPECT_DOUBLE_EQ(view.zoom(), command == res::ID_ZOOM_200
                                          ? 2.0
                                          : std::min(client.width() / 640.0, client.height() / 480.0));
    }
}

}  // namespace
