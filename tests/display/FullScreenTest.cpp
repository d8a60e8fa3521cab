// Full screen of a main window: floating windows and menu go and come back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenuBar>

#include "app/FullScreenMode.h"

TEST(FullScreen, HidesAndRestoresWhatWasShown) {
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setGeometry(50, 60, 500, 400);
    window.show();
    QDialog shown(&window), hiddenBefore(&window);
    shown.show();
    int fits = 0;
    FullScreenMode mode(window, [&fits] { ++fits; });

    mode.Toggle({&shown, &hiddenBefore, nullptr});
    EXPECT_TRUE(mode.IsOn());
    EXPECT_TRUE(window.isFullScreen());
    EXPECT_FALSE(window.menuBar()->isVisible());
    EXPECT_FALSE(shown.isVisible());
    QApplication::processEvents();
    EXPECT_EQ(fits, 1) << "fit to window once the window is full screen";

    mode.Toggle({});
    EXPECT_FALSE(mode.IsOn());
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_TRUE(window.menuBar()->isVisible());
    EXPECT_TRUE(shown.isVisible());
    EXPECT_FALSE(hiddenBefore.isVisible()) << "only what full screen hid comes back";
}
