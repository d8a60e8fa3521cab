// What the image view needs of the histogram window. The histogram tool
// implements it and hands it to the view with CChildView::SetHistogram; until
// then the Histogram command has no handler.
#pragma once

#include <QPoint>

class CViewHint;

class HistogramHook {
public:
    virtual ~HistogramHook() = default;
    // Command 32823: create the window at the first request, else show or hide it.
    virtual void Toggle() = 0;
    virtual bool IsVisible() const = 0;
    // A click on the image: the image pixel, or (-1, -1) with Ctrl held; then the
    // window's view updates for the current image.
    virtual void OnImageClick(QPoint imagePoint) = 0;
    // A new frame (the view passes its hint on while the window is visible).
    virtual void OnUpdate(const CViewHint& hint) = 0;
    // Stretch or colorize was toggled from the view: the graph's check boxes
    // follow the display effect flags.
    virtual void OnEffectsChanged() = 0;
};
