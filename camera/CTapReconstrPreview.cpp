#include "camera/CTapReconstrPreview.h"

#include <QImage>
#include <QPainter>

#include "TapGeometry.h"
#include "grabber/Grabber.h"

CTapReconstrPreview::CTapReconstrPreview(QWidget* parent) : QWidget(parent) {
    grabber::SetTapFormat(1, tapConfig_);
    setCursor(Qt::ArrowCursor);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CTapReconstrPreview::tick);
}

void CTapReconstrPreview::SetTapConfig(const TapConfig& config) {
    tapConfig_ = config;
    step_ = 0;
    repaint();
}

void CTapReconstrPreview::tick() {
    ++step_;
    update();
}

QColor CTapReconstrPreview::TapColor(uint32_t tapIndex) {
    static const QColor kColors[] = {Qt::red,  Qt::green,   Qt::blue,      Qt::magenta,  Qt::yellow,
                                     Qt::cyan, Qt::darkRed, Qt::darkGreen, Qt::darkBlue, QColor(128, 0, 128)};
    return kColors[tapIndex % std::size(kColors)];
}

void CTapReconstrPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    step_ = 0;
    timer_.start();
}

void CTapReconstrPreview::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    step_ = 0;
    timer_.stop();
}

void CTapReconstrPreview::paintEvent(QPaintEvent*) {
    // Drawn off screen first so the animation never flickers.
    QImage buffer(size(), QImage::Format_RGB32);
    buffer.fill(palette().color(QPalette::Button));
    QPainter painter(&buffer);

    const uint32_t taps = std::max<uint32_t>(tapConfig_.taps, 1);
    const uint32_t channels = std::max<uint32_t>(tapConfig_.channels, 1);
    uint32_t cols = uint32_t(width()) / kCellSize;
    uint32_t rows = uint32_t(height()) / kCellSize;
    cols -= cols % taps;
    rows -= rows % channels;
    if (const auto geometry = zamgrb::TapGeometry::create(tapConfig_, cols, rows)) {
        const uint32_t clocks = geometry->clocksPerLine();
        const uint64_t stepsPerFrame = uint64_t(geometry->linePeriods()) * clocks;
        if (step_ > stepsPerFrame)
            step_ = 0;
        painter.setPen(Qt::black);
        for (uint32_t n = 0; n < step_; ++n)
            for (uint32_t c = 0; c < geometry->channels(); ++c)
                for (uint32_t t = 0; t < geometry->taps(); ++t) {
                    const auto at = geometry->position(n / clocks, n % clocks, c, t);
                    painter.setBrush(TapColor(geometry->tapIndex(c, t)));
                    // A 6 x 6 cell with its outline: five pixels between the outline's centres.
                    painter.drawRect(int(at.x) * kCellSize, int(at.y) * kCellSize, 5, 5);
                }
    }
    painter.end();
    QPainter(this).drawImage(0, 0, buffer);
}
