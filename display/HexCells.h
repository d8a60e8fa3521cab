// The cells of the hex pixel dump: texts, tips and colours for a pixel value.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

#include "zamgrb.h"

namespace display {

struct HexCell {
    QString text;
    QString tip;  // empty: no tip
    QColor background;
    QColor foreground;
    QString widest;  // the widest text a cell of this format shows: cells are sized by it
};

// The body cell of a pixel of value `value` (GetPixelValue). Monochrome cells take
// their background from the 24-bit palette (blue, green, red per level) when
// there is one. Without pixel data: blanks, white on black.
HexCell BodyCell(const CameraDescription& description, uint64_t value, bool hasPixels,
                 const uint8_t* palette24, uint64_t paletteLevels);

// Header texts: 1-based column and row numbers.
QString HeaderText(int index);

}  // namespace display
