// Where the main frame goes when it is sized to the image: large enough for the
// image at the view's zoom and the status bar's panes, inside the screen's
// available area.
#pragma once

#include <QRect>
#include <QSize>

namespace app {

struct FrameFit {
    QRect frame;              // the frame now, decoration included
    QSize chrome;             // frame size minus the view's viewport, decoration included
    QSize image;              // the image at the view's zoom
    int minimumWidth = 0;     // frame width the status bar's panes need
    QRect available;          // the screen's available area
    int scrollBarExtent = 0;  // room a scroll bar takes once the image is cut
};

// The frame rectangle: the image's size plus the chrome, never narrower than the
// panes, capped to the available area (a cut image gets the other scroll bar's
// room), moved no further than needed to lie inside it.
QRect FitFrameToImage(const FrameFit& fit);

}  // namespace app
