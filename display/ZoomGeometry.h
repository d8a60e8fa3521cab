// Image and display coordinates at a zoom. Display (logical) coordinate X shows
// image pixel floor(X / zoom); every mapping here follows that one rule, so the
// picture, the grid, the selection frame and the pixel readout agree.
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

namespace display {

// The image pixel shown at display point p.
QPoint DisplayToImage(QPoint p, double zoom);

// The first display coordinate that shows image coordinate x.
int64_t DisplayEdge(int64_t x, double zoom);

// The image pixels a display rectangle touches: left and top rounded down,
// right and bottom up.
QRect ImageRegion(const QRect& display, double zoom);

// The display rectangle of an image region: left and top rounded down, right
// and bottom up (the region's whole pixels).
QRect DisplayRegion(const QRect& image, double zoom);

// The next zoom step from `zoom` in a direction (+1 in, -1 out): the nearest
// power of two beyond it, so a zoom between steps (after fit to window) goes to
// the step on that side.
double ZoomStep(double zoom, int direction);

// A rectangle from its edges, right and bottom exclusive.
inline QRect FromEdges(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

}  // namespace display
