#include "analysis/CGraphWnd.h"

#include <QPainter>
#include <cmath>

#include "analysis/GraphScale.h"

namespace {

// At most this many ticks per axis: a degenerate range must not draw forever.
constexpr int kMaxTicks = 200;

QFont GraphFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(9);
    return f;
}

QRect TextArea(QSize size, int controls) {
    return QRect(0, controls, size.width(), size.height() - controls);
}

}  // namespace

CGraphWnd::CGraphWnd(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(QStringLiteral("Graph"));
    resize(100, 100);
}

void CGraphWnd::SetTexts(const QString& title, const QString& yLabel, const QString& xLabel) {
    title_ = title;
    yLabel_ = yLabel;
    xLabel_ = xLabel;
}

void CGraphWnd::SetVisible(bool on) {
    if (on == visible_)
        return;
    visible_ = on;
    setVisible(on);
}

QColor CGraphWnd::Colour(uint32_t c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QRect CGraphWnd::PlotRectFor(QSize size) const {
    const QRect a = TextArea(size, ControlsHeight());
    return a.adjusted(59, 12 + (HasExtraText() ? 9 : 0), -27, -24);
}

void CGraphWnd::ComputeScales(const QRect& p) {
    xUnitsPerPixel_ = p.width() > 0 ? double(xMax_ - xMin_) / p.width() : 1.0;
    yUnitsPerPixel_ = p.height() > 0 ? double(yMax_ - yMin_) / p.height() : 1.0;
    if (!(xUnitsPerPixel_ > 0) || !std::isfinite(xUnitsPerPixel_))
        xUnitsPerPixel_ = 1.0;
    if (!(yUnitsPerPixel_ > 0) || !std::isfinite(yUnitsPerPixel_))
        yUnitsPerPixel_ = 1.0;
    xStep_ = histo::XTickStep(xUnitsPerPixel_);
    yStep_ = histo::YTickStep(yUnitsPerPixel_);
    xOrigin_ = xMin_ / xUnitsPerPixel_;
    yOrigin_ = yMin_ / yUnitsPerPixel_;
}

QString CGraphWnd::YTickLabel(double value) const {
    return QString::number(int(value));
}

void CGraphWnd::DrawCentred(QPainter& painter, const QRect& plot, const QString& text) {
    painter.setPen(Colour(textColour_));
    painter.drawText(plot, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void CGraphWnd::DrawAxes(QPainter& painter, const QRect& p) {
    if (!hasData_)
        return;
    painter.setPen(Colour(textColour_));
    const int bottom = p.top() + p.height();
    const int right = p.left() + p.width();
    if (xStep_ > 0 && (xMax_ - xMin_) / xStep_ <= kMaxTicks)
        for (double v = xMin_; v <= xMax_; v += xStep_) {
            const int x = p.left() + int((v - xMin_) / xUnitsPerPixel_);
            painter.drawLine(x, bottom, x, bottom - 4);
            painter.drawLine(x, p.top(), x, p.top() + 4);
            painter.drawText(QRect(x - 25, bottom + 2, 50, 12), Qt::AlignHCenter | Qt::AlignTop,
                             QString::number(int(v)));
        }
    if (yStep_ > 0 && (double(yMax_) - yMin_) / yStep_ <= kMaxTicks)
        for (double v = yMin_; v <= yMax_; v += yStep_) {
            const int y = bottom - int((v - yMin_) / yUnitsPerPixel_);
            painter.drawLine(p.left(), y, p.left() + 4, y);
            painter.drawLine(right, y, right - 4, y);
            painter.drawText(QRect(p.left() - 52, y - 6, 49, 12), Qt::AlignRight | Qt::AlignVCenter,
                             YTickLabel(v));
        }
}

QImage CGraphWnd::Render() {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Colour(backgroundColour_));
    QPainter painter(&image);
    painter.setPen(Colour(frameColour_));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    painter.setFont(GraphFont());
    const QRect a = TextArea(size(), ControlsHeight());
    if (hasControls_) {
        painter.setPen(Colour(frameColour_));
        painter.drawRect(a.adjusted(0, 0, -1, -1));
    }
    painter.setPen(Colour(textColour_));
    painter.drawText(a.adjusted(0, 1, 0, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, title_);
    painter.drawText(a.adjusted(0, 0, 0, -1), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                     xLabel_);
    painter.save();
    painter.translate(a.left() + 2, a.top() + a.height() / 2);
    painter.rotate(-90);
    painter.drawText(QRect(-a.height() / 2, 0, a.height(), 12), Qt::AlignHCenter | Qt::AlignTop, yLabel_);
    painter.restore();
    DrawExtraText(painter, a.adjusted(118, 9, -81, -24));
    plot_ = PlotRectFor(size());
    ComputeScales(plot_);
    DrawData(painter, plot_);
    DrawAxes(painter, plot_);
    return image;
}

void CGraphWnd::paintEvent(QPaintEvent*) {
    const QImage image = Render();
    QPainter(this).drawImage(0, 0, image);
}
