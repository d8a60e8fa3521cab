// Cursors of the program.
#pragma once

#include <QCursor>

namespace res {

// Cursor 110: the thin cross-hair over the image, 32 x 32, hot spot (15, 15).
QCursor imageCursor();

}  // namespace res
