// One drifting overlay object: it moves by its steps on every tick and bounces
// off the edges of the bounds. A reversed step takes effect on the next tick.
#pragma once

#include <QRect>

namespace display {

struct OverlayMotion {
    int x = 0, y = 0;
    int stepX = 0, stepY = 0;

    // One tick for an object of width w and height h inside `bounds`.
    void Tick(const QRect& bounds, int w, int h);
};

}  // namespace display
