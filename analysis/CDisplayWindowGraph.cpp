#include "analysis/CDisplayWindowGraph.h"

#include <QPainter>
#include <algorithm>
#include <climits>

#include "analysis/GraphScale.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

CDisplayWindowGraph::CDisplayWindowGraph(QWidget* parent) : CGraphWnd(parent) {
    // Inverted, so the first data always sets the range.
    yMin_ = INT_MAX;
    yMax_ = INT_MIN;
}

void CDisplayWindowGraph::SetProfile(const std::vector<uint32_t>& profile, int tap1Average, int tap2Average) {
    profile_ = profile;
    tap1Average_ = tap1Average;
    tap2Average_ = tap2Average;
    hasData_ = !profile_.empty();
    if (!hasData_)
        return;
    const auto [low, high] = std::minmax_element(profile_.begin(), profile_.end());
    histo::UpdateProfileYRange(*low, *high, yMin_, yMax_);
    xMin_ = 0;
    xMax_ = int(profile_.size()) - 1;
}

bool CDisplayWindowGraph::HasExtraText() const {
    return hasData_ && !(tap1Average_ == -1 && tap2Average_ == -1);
}

bool CDisplayWindowGraph::DrawExtraText(QPainter& painter, const QRect& area) {
    if (!HasExtraText())
        return false;
    painter.setPen(Colour(textColour_));
    const QString left =
        res::LoadString(res::IDS_AVG_TAP1).replace(QStringLiteral("%d"), QString::number(tap1Average_));
    const QString right =
        res::LoadString(res::IDS_AVG_TAP2).replace(QStringLiteral("%d"), QString::number(tap2Average_));
    QRect line(area.left(), area.top(), area.width(), 12);
    // Two texts that would run into each other take the width of the plot instead.
    const QFontMetrics metrics = painter.fontMetrics();
    if (metrics.horizontalAdvance(left) + metrics.horizontalAdvance(right) + 8 > line.width())
        line.adjust(59 - 118, 0, 81 - 27, 0);
    painter.drawText(line, Qt::AlignLeft | Qt::TextSingleLine, left);
    painter.drawText(line, Qt::AlignRight | Qt::TextSingleLine, right);
    return true;
}

void CDisplayWindowGraph::DrawData(QPainter& painter, const QRect& p) {
    if (!hasData_) {
        DrawCentred(painter, p, QStringLiteral("NO DATA"));
        return;
    }
    painter.setPen(Colour(textColour_));
    painter.drawRect(p.adjusted(0, 0, -1, -1));
    painter.setPen(Colour(curveColour_));
    const int bottom = p.top() + p.height();
    auto point = [&](size_t i) {
        return QPoint(p.left() + int(double(i) / xUnitsPerPixel_ - xOrigin_),
                      bottom - int(double(profile_[i]) / yUnitsPerPixel_ - yOrigin_));
    };
    QPoint previous = point(0);
    for (size_t i = 1; i < profile_.size(); ++i) {
        const QPoint next = point(i);
        if (next != previous)
            painter.drawLine(previous, next);
        previous = next;
    }
}
