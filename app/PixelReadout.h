// The pixel readout of the status bar: position and value texts.
#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>

#include "zamgrb.h"

namespace app {

struct PixelReadout {
    QString position;  // pane 49101
    QString value;     // pane 49102
};

// Value all ones (-1) clears both panes. Monochrome shows "%d"; colour with 8 bits
// per channel "(%d,%d,%d)" of bits 0-7, 8-15, 16-23; deeper colour the same of
// bits 0-15, 16-31, 32-47.
PixelReadout FormatPixelReadout(const CameraDescription& description, QPoint point, int64_t value);

}  // namespace app
