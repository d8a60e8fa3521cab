#include "res/Cursors.h"

#include <QPainter>
#include <QPixmap>

namespace res {

QCursor imageCursor() {
    // One-pixel black lines through the hot spot, with a white edge so the
    // cross stays visible over dark pixels; the centre is left open.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const int c = 15;
    p.fillRect(c - 1, 0, 3, 13, Qt::white);
    p.fillRect(c - 1, 18, 3, 14, Qt::white);
    p.fillRect(0, c - 1, 13, 3, Qt::white);
    p.fillRect(18, c - 1, 14, 3, Qt::white);
    p.fillRect(c, 0, 1, 13, Qt::black);
    p.fillRect(c, 18, 1, 14, Qt::black);
    p.fillRect(0, c, 13, 1, Qt::black);
    p.fillRect(18, c, 14, 1, Qt::black);
    p.end();
    return QCursor(pixmap, c, c);
}

}  // namespace res
