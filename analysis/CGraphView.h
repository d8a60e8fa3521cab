// The histogram window's view: the ten tap histograms and the two line
// profiles stacked top to bottom, each at least 300 pixels wide.
#pragma once

#include <QScrollArea>
#include <array>

#include "analysis/CDisplayWindowGraph.h"
#include "analysis/CHistoGraph.h"
#include "analysis/HistogramWorker.h"

class CGraphView : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kMinGraphWidth = 300;  // narrower, the window scrolls

    CGraphView(const CHistoGraph::Hooks& hooks, QWidget* parent = nullptr);

    // A computed frame: histograms of the taps it has, the others hidden, and both profiles.
    void ShowResult(const histo::HistogramResult& result);
    // Every graph cleared and repainted.
    void ClearAll();
    // Marker limits or flags changed: every histogram recounts and repaints.
    void MarkersChanged();
    void Layout();

    CHistoGraph* histogram(int tap) const { return histograms_[size_t(tap)]; }
    CDisplayWindowGraph* horizontal() const { return horizontal_; }
    CDisplayWindowGraph* vertical() const { return vertical_; }
    int shownTaps() const { return shownTaps_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* stack_;
    std::array<CHistoGraph*, histo::kMaxGraphs> histograms_{};
    CDisplayWindowGraph* horizontal_;
    CDisplayWindowGraph* vertical_;
    int shownTaps_ = 1;
};
