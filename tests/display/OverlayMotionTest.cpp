// The overlay's drift and bounce.
#include <gtest/gtest.h>

#include "display/OverlayMotion.h"

using display::OverlayMotion;

TEST(OverlayMotion, MovesBouncesAndStaysStillForOneTick) {
    OverlayMotion m{10, 10, 2, -1};
    const QRect bounds(0, 0, 20, 20);
    m.Tick(bounds, 5, 5);
    EXPECT_EQ(m.x, 12);
    EXPECT_EQ(m.y, 9);
    m = {14, 0, 2, -1};
    m.Tick(bounds, 5, 5);  // x' + 5 = 21 > 20 and y' < 0: both reverse, nothing moves
    EXPECT_EQ(m.x, 14);
    EXPECT_EQ(m.y, 0);
    EXPECT_EQ(m.stepX, -2);
    EXPECT_EQ(m.stepY, 1);
    m.Tick(bounds, 5, 5);
    EXPECT_EQ(m.x, 12);
    EXPECT_EQ(m.y, 1);
    m = {15, 0, 1, 1};
    m.Tick(bounds, 5, 5);  // exactly touching the right edge is inside
    EXPECT_EQ(m.x, 15);
    EXPECT_EQ(m.stepX, -1);
}

TEST(OverlayMotion, AnObjectOutsideOrLargerThanTheBoundsNeverMoves) {
    struct Case {
        OverlayMotion start;
        QRect bounds;
        int w, h;
    };
    const Case cases[] = {
        {{100, 200, -2, -1}, QRect(0, 0, 50, 50), 10, 10},  // starts outside
        {{0, 0, 2, 1}, QRect(0, 0, 50, 50), 80, 80},        // larger than the bounds
        {{100, 200, -2, -1}, QRect(), 10, 10},              // no bounds yet
    };
    for (const Case& c : cases) {
        OverlayMotion m = c.start;
        for (int tick = 0; tick < 9; ++tick)
            m.Tick(c.bounds, c.w, c.h);
        EXPECT_EQ(m.x, c.start.x);
        EXPECT_EQ(m.y, c.start.y);
        EXPECT_EQ(m.stepX, -c.start.stepX) << "an odd number of reversals";
    }
}
