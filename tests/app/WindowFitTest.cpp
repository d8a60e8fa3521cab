// Where the main frame goes when it is sized to its image.
#include <gtest/gtest.h>

#include "app/WindowFit.h"

TEST(WindowFit, SizedToTheImageInsideTheAvailableArea) {
    struct Case {
        const char* name;
        QRect frame;
        QSize image;
        int minimumWidth;
        QRect available;
        QRect expected;
    };
    const QRect screen(0, 0, 1600, 1000);
    const QRect panel(0, 30, 1024, 738);  // 1024 x 768 with a panel at the top
    const Case cases[] = {
        {"grows where it stands", QRect(100, 100, 500, 400), QSize(640, 480), 300, screen,
         QRect(100, 100, 660, 580)},
        {"never narrower than the panes", QRect(100, 100, 500, 400), QSize(100, 100), 970, screen,
         QRect(100, 100, 970, 200)},
        {"moves up rather than past the bottom", QRect(100, 500, 500, 400), QSize(640, 480), 0, screen,
         QRect(100, 420, 660, 580)},
        {"fills the area, both bars", QRect(100, 100, 500, 400), QSize(3000, 3000), 0, screen, screen},
        {"taller than a small screen: its height and a bar's width", QRect(300, 200, 500, 400),
         QSize(800, 700), 0, panel, QRect(187, 30, 837, 738)},
        {"exactly the area", QRect(0, 0, 10, 10), QSize(1580, 900), 0, screen, screen},
    };
    for (const Case& c : cases) {
        app::FrameFit fit;
        fit.frame = c.frame;
        fit.chrome = QSize(20, 100);
        fit.image = c.image;
        fit.minimumWidth = c.minimumWidth;
        fit.available = c.available;
        fit.scrollBarExtent = 17;
        EXPECT_EQ(app::FitFrameToImage(fit), c.expected) << c.name;
    }
}
