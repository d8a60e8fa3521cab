#include "analysis/CHistoGraph.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

#include "display/DisplayEffects.h"

namespace {

const char* const kLabels[3] = {"Markers", "Colorization", "Stretch between markers"};

bool& FlagOf(int control) {
    display::DisplayEffects& e = display::Effects();
    return control == CHistoGraph::kMarkers        ? e.markers
           : control == CHistoGraph::kColorization ? e.colorize
                                                   : e.stretch;
}

}  // namespace

CHistoGraph::CHistoGraph(int tapIndex, Hooks hooks, QWidget* parent)
    : CGraphWnd(parent), tapIndex_(tapIndex), hooks_(std::move(hooks)) {
    xMin_ = 0;
    yMin_ = 0;
    xMax_ = 128;
    yMax_ = INT_MIN;
}

int& CHistoGraph::lowLimit() const {
    display::DisplayEffects& e = display::Effects();
    return hooks_.channelIndex && hooks_.channelIndex() == 1 ? e.limD1 : e.limD0;
}

int& CHistoGraph::highLimit() const {
    display::DisplayEffects& e = display::Effects();
    return hooks_.channelIndex && hooks_.channelIndex() == 1 ? e.limB1 : e.limB0;
}

void CHistoGraph::RecountMarkers() {
    markerCounts_ = histo::CountMarkers(counts_, lowLimit(), highLimit());
}

void CHistoGraph::SetData(const histo::TapHistogram& h, int levels) {
    levels_ = levels;
    counts_ = h.counts;
    logCounts_ = h.logCounts;
    mean_ = h.mean;
    stdDev_ = h.stdDev;
    RecountMarkers();
    histo::UpdateHistogramYRange(h.peak, yMin_, yMax_);
    xMin_ = 0;
    xMax_ = levels;  // no spread factor: always the full level range
    hasData_ = true;
}

void CHistoGraph::SetHasControls(bool on) {
    CGraphWnd::SetHasControls(on);
    if (!on || boxes_[0])
        return;
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QString::fromLatin1(kLabels[i]));
        box->setAccessibleName(QString::fromLatin1(kLabels[i]));
        const int id = kMarkers + i;
        connect(box, &QCheckBox::clicked, this, [this, id](bool checked) {
            bool& flag = FlagOf(id);
            if (flag == checked)
                return;
            flag = checked;
            if (hooks_.controlClicked)
                hooks_.controlClicked(id);
        });
        boxes_[i] = box;
    }
    PlaceControls();
    SyncControls();
}

QCheckBox* CHistoGraph::control(Control id) const {
    return boxes_[id - kMarkers];
}

void CHistoGraph::SyncControls() {
    for (int i = 0; i < 3; ++i)
        if (boxes_[i])
            boxes_[i]->setChecked(FlagOf(kMarkers + i));
}

void CHistoGraph::PlaceControls() {
    if (!boxes_[0])
        return;
    // "Colorization" at the left, "Markers" a third further, "Stretch" two thirds.
    const int third = width() / 3;
    const int x[3] = {4 + third, 4, 4 + 2 * third};
    for (int i = 0; i < 3; ++i)
        boxes_[i]->setGeometry(x[i], 4, 12, 12);
}

void CHistoGraph::resizeEvent(QResizeEvent* event) {
    CGraphWnd::resizeEvent(event);
    PlaceControls();
    SyncControls();
}

void CHistoGraph::ComputeScales(const QRect& plot) {
    CGraphWnd::ComputeScales(plot);
    if (logScale_)
        yStep_ = 100;  // one tick per decade
}

QString CHistoGraph::YTickLabel(double value) const {
    if (!logScale_)
        return CGraphWnd::YTickLabel(value);
    int64_t label = 1;
    for (int d = int(value) / 100; d > 0 && label < INT_MAX / 10; --d)
        label *= 10;
    return QString::number(label);
}

void CHistoGraph::DrawData(QPainter& painter, const QRect& p) {
    if (!hasData_) {
        DrawCentred(painter, p, QStringLiteral("NO DATA"));
        return;
    }
    painter.setPen(Colour(textColour_));
    painter.drawRect(p.adjusted(0, 0, -1, -1));
    const int range = xMax_ - xMin_;
    const double xScale = range > 0 ? double(p.width()) / range : 0;
    double yScale = yMax_ > yMin_ ? double(p.height()) / (double(yMax_) - yMin_) : 0;
    if (!std::isfinite(yScale))
        yScale = 0;
    // Each pixel column shows the tallest bar that falls into it, so a spike is
    // never hidden by its neighbours when levels outnumber the pixels.
    std::vector<int> column(size_t(std::max(0, p.width())), -1);
    for (int i = xMin_ + 1; i <= xMax_ - 2 && i < int(logCounts_.size()); ++i) {
        const int left = std::max(0, int((i - 1 - xMin_) * xScale));
        const int right = std::max(left + 1, int((i - xMin_) * xScale));
        const int count = logCounts_[size_t(i)];
        if (count <= yMin_)
            continue;
        const int height = int((count - yMin_) * yScale);
        for (int x = left; x < right && x < int(column.size()); ++x)
            column[size_t(x)] = std::max(column[size_t(x)], height);
    }
    const QColor curve = Colour(curveColour_);
    const int bottom = p.top() + p.height();
    for (size_t x = 0; x < column.size(); ++x)
        if (column[x] > 0)
            painter.fillRect(p.left() + int(x), bottom - std::min(column[x], p.height()), 1,
                             std::min(column[x], p.height()), curve);

    const display::DisplayEffects& e = display::Effects();
    if (!e.markers)
        return;
    const int high = std::clamp(highLimit(), xMin_, xMax_), low = std::clamp(lowLimit(), xMin_, xMax_);
    const int highX = p.left() + int((high - xMin_) * xScale);
    int lowX = p.left() + int((low - xMin_) * xScale);
    if (lowX == highX)
        lowX -= 2;
    painter.setPen(Colour(frameColour_));
    painter.drawLine(highX, p.top(), highX, bottom - 1);
    painter.setPen(Colour(secondColour_));
    painter.drawLine(lowX, p.top(), lowX, bottom - 1);
    if (lowLimit() < 0 && highLimit() < 0)
        return;
    painter.setPen(Colour(textColour_));
    painter.drawText(
        QRect(p.left(), p.top() + 1, p.width(), 12), Qt::AlignHCenter | Qt::TextSingleLine,
        QString::asprintf("%llu Pixs < %d  %llu Pixs > %d", (unsigned long long)markerCounts_.below,
                          lowLimit(), (unsigned long long)markerCounts_.above, highLimit()));
}

void CHistoGraph::DrawAxes(QPainter& painter, const QRect& p) {
    CGraphWnd::DrawAxes(painter, p);
    if (!boxes_[0])
        return;
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    painter.setFont(f);
    painter.setPen(Qt::white);
    for (const QCheckBox* box : boxes_)
        painter.drawText(box->geometry().right() + 3, box->geometry().bottom(), box->objectName());
}

void CHistoGraph::mouseReleaseEvent(QMouseEvent* event) {
    CGraphWnd::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    const QRect p = PlotRectFor(size());
    if (!p.contains(at) || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    const int level = histo::LevelAt(at.x(), p.left(), p.width(), xMin_, xMax_);
    if (event->button() == Qt::LeftButton)
        histo::SetLowLimit(level, lowLimit(), highLimit());
    else
        histo::SetHighLimit(level, lowLimit(), highLimit());
    if (hooks_.limitsChanged)
        hooks_.limitsChanged();
    RecountMarkers();
    repaint();
}
