// The histogram of one tap: bars on a log axis, the two markers set with the
// mouse, and on the first tap's graph the "Markers", "Colorization" and
// "Stretch between markers" check boxes that drive the display palette.
#pragma once

#include <QPoint>
#include <functional>
#include <vector>

#include "analysis/CGraphWnd.h"
#include "analysis/GraphScale.h"
#include "analysis/TapHistograms.h"

class QCheckBox;

class CHistoGraph : public CGraphWnd {
    Q_OBJECT
public:
    enum Control { kMarkers = 1000, kColorization = 1001, kStretch = 1002 };
    struct Hooks {
        std::function<int()> channelIndex;                // whose marker limits apply
        std::function<void()> limitsChanged;              // a limit was set with the mouse
        std::function<void(int control)> controlClicked;  // a check box changed its flag
    };

    CHistoGraph(int tapIndex, Hooks hooks, QWidget* parent = nullptr);

    int tapIndex() const { return tapIndex_; }
    void SetData(const histo::TapHistogram& histogram, int levels);
    void SetCurveColour(uint32_t colour) { curveColour_ = colour; }
    uint32_t curveColour() const { return curveColour_; }
    void SetHasControls(bool on) override;
    // The check boxes follow the display effect flags.
    void SyncControls();
    QCheckBox* control(Control id) const;
    histo::MarkerCounts markerCounts() const { return markerCounts_; }
    // The counts beside the markers, for the limits in force.
    void RecountMarkers();
    const std::vector<uint32_t>& counts() const { return counts_; }

protected:
    void ComputeScales(const QRect& plot) override;
    void DrawData(QPainter& painter, const QRect& plot) override;
    void DrawAxes(QPainter& painter, const QRect& plot) override;
    QString YTickLabel(double value) const override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int& lowLimit() const;
    int& highLimit() const;
    void PlaceControls();

    int tapIndex_;
    Hooks hooks_;
    int levels_ = 4096;
    std::vector<uint32_t> counts_;
    std::vector<int> logCounts_;
    double mean_ = 0, stdDev_ = 0;
    histo::MarkerCounts markerCounts_;
    bool logScale_ = true;
    QCheckBox* boxes_[3] = {nullptr, nullptr, nullptr};
};
