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
    const double w = width() - 10, x0 = 5, period = w / 2;
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
        p.drawText(QRectF(to + 3, y - 6, 60, 12), Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    const QFont small = [this] {
        QFont f = font();
        f.setPixelSize(9);
        return f;
    }();
    p.setFont(small);
    if (kind_ == kMaster) {
        span(x0, x0 + width, 8, QStringLiteral("width"));
        train(0, 18, 38, Qt::darkBlue);
        span(x0, x0 + period, 50, QStringLiteral("period"));
    } else {
        train(0, 4, 16, Qt::darkBlue);
        span(x0, x0 + delay, 24, QStringLiteral("delay"));
        train(delay, 32, 46, Qt::darkRed);
        span(x0 + delay, x0 + delay + width, 56, QStringLiteral("width"));
    }
}
