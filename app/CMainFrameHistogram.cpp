// The main frame's part of the histogram window: the tool is handed to the view,
// reaches the view's markers and palette, and reads the current image under the
// frame lock.
#include <QScrollBar>

#include "analysis/CHistogramTool.h"
#include "app/CMainFrame.h"
#include "display/CChildView.h"
#include "res/ResourceIds.h"

void CMainFrame::createHistogramTool() {
    CHistogramTool::Host host;
    host.parent = [this] { return static_cast<QWidget*>(view_); };
    host.channelIndex = [this] { return int(channel_); };
    host.setMarkers = [this](int low, int high) {
        view_->SetLowMarker(low);
        view_->SetHighMarker(high);
        view_->viewport()->update();  // the picture follows at once, also while not grabbing
    };
    host.rebuildPalette = [this] {
        ExecuteCommand(res::ID_REBUILD_PALETTE);
        view_->viewport()->update();
    };
    host.withCurrentImage = [this](const std::function<void(CurrentImage&)>& use) {
        std::lock_guard lock(frameLock_);
        use(currentImage_);
    };
    host.registerFloatingWindow = [this](QWidget* w) { RegisterFloatingWindow(w); };
    host.destroyed = [this] {
        if (view_)
            view_->OnCommand(res::ID_HISTOGRAM_CLOSED);
    };
    histogram_ = std::make_unique<CHistogramTool>(std::move(host));
    view_->SetHistogram(histogram_.get());
}
