// The histogram window of the image view: created at the first Histogram
// command, shown and hidden by the next ones, destroyed when the user closes it.
// Frames are computed on the histogram thread; the window shows the newest
// result and skips frames that arrive while one is computed.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

#include "analysis/HistogramWorker.h"
#include "display/HistogramHook.h"

struct CurrentImage;
class CGraphView;
class QWidget;

class CHistogramTool : public QObject, public HistogramHook {
    Q_OBJECT
public:
    struct Host {
        std::function<QWidget*()> parent;                   // the image view
        std::function<int()> channelIndex;                  // whose marker limits apply
        std::function<void(int low, int high)> setMarkers;  // the view's markers, the palette rebuilt
        std::function<void()> rebuildPalette;               // command 33101, and the picture repainted
        std::function<void(const std::function<void(CurrentImage&)>&)>
            withCurrentImage;  // under the frame lock
        std::function<void(QWidget*)> registerFloatingWindow;
        std::function<void()> destroyed;  // command 33102: the view forgets the tool
    };

    explicit CHistogramTool(Host host);
    ~CHistogramTool() override;

    void Toggle() override;
    bool IsVisible() const override;
    void OnImageClick(QPoint imagePoint) override;
    void OnUpdate(const CViewHint& hint) override;
    void OnEffectsChanged() override;

    QWidget* window() const { return window_; }
    CGraphView* graphView() const { return view_; }
    histo::HistogramWorker& worker() { return worker_; }
    // Shows the newest computed result, if one waits (queued from the worker).
    void TakeResult();
    uint64_t resultsShown() const { return resultsShown_; }

private:
    void Create();
    void Fill(histo::HistogramJob& job);
    void ApplyMarkers();
    void SaveWindow();

    Host host_;
    QPointer<QWidget> window_;
    CGraphView* view_ = nullptr;
    std::atomic<int> selectedLine_{-1}, selectedColumn_{-1};  // read by the histogram thread
    histo::HistogramResult result_;
    uint64_t resultsShown_ = 0;
    histo::HistogramWorker worker_;
};
