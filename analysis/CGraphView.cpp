#include "analysis/CGraphView.h"

#include <QResizeEvent>
#include <algorithm>

#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace {}

CGraphView::CGraphView(const CHistoGraph::Hooks& hooks, QWidget* parent)
    : QScrollArea(parent), stack_(new QWidget) {
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setBackgroundRole(QPalette::Window);
    setFrameShape(QFrame::NoFrame);
    stack_->setPalette(black);
    const QString pixels = res::LoadString(res::IDS_PIXELS), signal = res::LoadString(res::IDS_SIGNAL_ADU);
    for (int i = 0; i < histo::kMaxGraphs; ++i) {
        auto* g = new CHistoGraph(i, hooks, stack_);
        g->SetTexts(QStringLiteral("Histogram - Tap %1").arg(i + 1), pixels, signal);
        g->SetHasControls(i == 0);
        g->SetVisible(i == 0);
        histograms_[size_t(i)] = g;
    }
    horizontal_ = new CDisplayWindowGraph(stack_);
    horizontal_->SetTexts(res::LoadString(res::IDS_HORIZONTAL_AVERAGE), signal, pixels);
    vertical_ = new CDisplayWindowGraph(stack_);
    vertical_->SetTexts(res::LoadString(res::IDS_VERTICAL_AVERAGE), signal, pixels);
    setWidget(stack_);
    Layout();
}

void CGraphView::Layout() {
    const int w = std::max(viewport()->width(), kMinGraphWidth);
    const int h = int(w / 1.3333333333333);
    int y = 0;
    auto place = [&](CGraphWnd* g) {
        if (!g->visibleInStack())
            return;
        g->setGeometry(0, y, w, h);
        y += h;
    };
    for (CHistoGraph* g : histograms_)
        place(g);
    place(horizontal_);
    place(vertical_);
    stack_->resize(w, y);
    histograms_[0]->SyncControls();
}

void CGraphView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    Layout();
}

void CGraphView::ClearAll() {
    for (CHistoGraph* g : histograms_)
        g->Clear();
    horizontal_->Clear();
    vertical_->Clear();
    for (CGraphWnd* w : stack_->findChildren<CGraphWnd*>())
        w->update();
}

void CGraphView::MarkersChanged() {
    for (CHistoGraph* g : histograms_) {
        g->RecountMarkers();
        g->update();
    }
}

void CGraphView::ShowResult(const histo::HistogramResult& r) {
    if (r.profiles) {
        horizontal_->SetProfile(r.lines.horizontal, r.lines.tap1Average, r.lines.tap2Average);
        vertical_->SetProfile(r.lines.vertical, -1, -1);
    } else {
        horizontal_->Clear();
        vertical_->Clear();
    }
    horizontal_->repaint();
    vertical_->repaint();
    const int taps = r.histograms ? r.set.taps : shownTaps_;
    for (int i = 0; i < histo::kMaxGraphs; ++i) {
        CHistoGraph* g = histograms_[size_t(i)];
        g->SetVisible(i < taps);
        if (i >= taps)
            continue;
        if (r.histograms) {
            g->SetData(r.set.graphs[size_t(i)], r.set.levels);
            g->SetCurveColour(r.set.graphs[size_t(i)].colour);
        } else {
            g->Clear();
        }
        g->repaint();
    }
    if (taps != shownTaps_) {
        shownTaps_ = taps;
        Layout();
    }
}
