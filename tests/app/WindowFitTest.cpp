// Where the main frame goes when sized to its image, and where a tool window first opens.
#include <gtest/gtest.h>

#include "app/WindowFit.h"
#include "kit/WindowPlacement.h"

TEST(WindowFit, SizedToTheImageInsideTheAvailableArea) {
    const QRect screen(0, 0, 1600, 1000), panel(0, 30, 1024, 738);  // 1024 x 768 below a panel
    struct Case {
        QRect frame;
        QSize image;
        int minimumWidth;
        QRect available, expected;
    } const cases[] = {
        {QRect(100, 100, 500, 400), QSize(100, 100), 970, screen, QRect(100, 100, 970, 200)},
        {QRect(100, 500, 500, 400), QSize(640, 480), 0, screen, QRect(100, 420, 660, 580)},
        {QRect(300, 200, 500, 400), QSize(800, 700), 0, panel, QRect(187, 30, 837, 738)},
        {QRect(0, 0, 10, 10), QSize(1580, 900), 0, screen, screen},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::FitFrameToImage({c.frame, QSize(20, 100), c.image, c.minimumWidth, c.available, 17}),
                  c.expected);
}

// Beside the owner, else at the roomier screen edge below its menu and toolbar (y 190).
TEST(FirstPlacement, BesideTheOwnerElseBelowItsToolbar) {
    struct Case {
        QRect owner;
        int index;
        QPoint expected;
    } const cases[] = {
        {QRect(100, 100, 1192, 600), 2, QPoint(1300, 164)}, {QRect(700, 100, 893, 600), 0, QPoint(392, 100)},
        {QRect(100, 100, 1250, 600), 1, QPoint(1300, 222)}, {QRect(250, 100, 1250, 600), 0, QPoint(0, 190)},
        {QRect(100, 700, 800, 300), 5, QPoint(908, 800)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(appkit::FirstPlacement(QSize(300, 200), c.owner, c.owner.top() + 90,
                                         QRect(0, 0, 1600, 1000), c.index),
                  c.expected);
}
