#include "camera/CPulseDiagram.h"

#include <QPainter>
#include <QPainterPath>

CPulseDiagram::CPulseDiagram(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setMinimumSize(sizeHint());
}

// Two periods of the master (with the slave below it, delayed, for the slave
// diagram), and arrows naming the times.
void CPulseDiagram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width() - 10, x0 = 5, period = w / 2, high = 12, low = 28;
    const double width = period * 0.35, delay = period * 0.25;
    auto train = [&](double offset, double top, double bottom, const QColor& colour) {
        QPainterPath path({x0, bottom});
        for (int i = 0; i < 2; ++i) {
            const double rise = x0 + i * period + offset;
            path.lineTo(rise, bottom);
            path.lineTo(rise, top);
            path.lineTo(rise + width, top);
            path.lineTo(rise + width, bottom);
        }
        path.lineTo(x0 + w, bottom);
        p.setPen(QPen(colour, 1.5));
        p.drawPath(path);
    };
    auto span = [&](double from, double to, double y, const QString& text) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawLine(QPointF(from, y), QPointF(to, y));
        p.drawLine(QPointF(from, y - 3), QPointF(from, y + 3));
        p.drawLine(QPointF(to, y - 3), QPointF(to, y + 3));
        p.drawText(QRectF(from, y - 14, to - from, 12), Qt::AlignCenter, text);
    };
    const QFont small = [this] {
        QFont f = font();
        f.setPixelSize(9);
        return f;
    }();
    p.setFont(small);
    if (kind_ == kMaster) {
        train(0, high + 8, low + 8, Qt::darkBlue);
        span(x0, x0 + width, high + 2, QStringLiteral("width"));
        span(x0, x0 + period, height() - 6, QStringLiteral("period"));
    } else {
        train(0, 8, 22, Qt::darkBlue);
        train(delay, 36, 50, Qt::darkRed);
        span(x0, x0 + delay, height() - 4, QStringLiteral("delay"));
        span(x0 + delay, x0 + delay + width, 32, QStringLiteral("width"));
    }
}
