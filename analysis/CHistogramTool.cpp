#include "analysis/CHistogramTool.h"

#include <QCloseEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cstring>

#include "analysis/CGraphView.h"
#include "display/CurrentImage.h"
#include "display/DisplayEffects.h"
#include "display/ImageFormat.h"
#include "display/ViewHints.h"
#include "kit/Profile.h"
#include "kit/WindowPlacement.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace {

const QString kSection = QStringLiteral("HistoFrame");

// The mini frame: closing it saves its rectangle and the effects, then lets the
// tool destroy it.
class CHistoFrame : public QWidget {
public:
    CHistoFrame(QWidget* parent, std::function<void()> closed)
        : QWidget(parent, Qt::Tool | Qt::Window), closed_(std::move(closed)) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (closed_)
            closed_();
    }

private:
    std::function<void()> closed_;
};

}  // namespace

CHistogramTool::CHistogramTool(Host host)
    : host_(std::move(host)),
      worker_([this](histo::HistogramJob& job) { Fill(job); },
              [this] {
                  QMetaObject::invokeMethod(
                      this, [this] { TakeResult(); }, Qt::QueuedConnection);
              }) {}

CHistogramTool::~CHistogramTool() {
    delete window_.data();
    if (host_.destroyed)
        host_.destroyed();
}

void CHistogramTool::Create() {
    auto* frame = new CHistoFrame(host_.parent ? host_.parent() : nullptr, [this] {
        SaveWindow();
        window_->deleteLater();
        window_ = nullptr;
        view_ = nullptr;
    });
    frame->setWindowTitle(res::LoadString(res::IDS_HISTOGRAM));
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    CHistoGraph::Hooks hooks{[this] { return host_.channelIndex ? host_.channelIndex() : 0; },
                             [this] {
                                 ApplyMarkers();
                                 if (view_)
                                     view_->MarkersChanged();
                             },
                             [this](int control) {
                                 if (control == CHistoGraph::kMarkers)
                                     ApplyMarkers();
                                 else if (host_.rebuildPalette)
                                     host_.rebuildPalette();
                                 if (view_)
                                     view_->MarkersChanged();
                             }};
    view_ = new CGraphView(hooks, frame);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    const int left = appkit::Profile::GetInt(kSection, QStringLiteral("left"), 0);
    const int top = appkit::Profile::GetInt(kSection, QStringLiteral("top"), 0);
    // Wide enough for the narrowest graph beside the vertical scroll bar: the first
    // look needs no horizontal scrolling.
    const int fitted = CGraphView::kMinGraphWidth + view_->verticalScrollBar()->sizeHint().width();
    const int right = appkit::Profile::GetInt(kSection, QStringLiteral("right"), left + fitted);
    const int bottom = appkit::Profile::GetInt(kSection, QStringLiteral("bottom"), 500);
    frame->resize(std::max(1, right - left), std::max(1, bottom - top));
    if (appkit::Profile::Contains(kSection, QStringLiteral("left")))
        frame->move(left, top);
    else  // at the screen's corner it would cover the main window's menu
        appkit::PlaceBesideOwner(*frame, frame->parentWidget() ? frame->parentWidget()->window() : nullptr);
    window_ = frame;
    ApplyMarkers();
    view_->ClearAll();
    if (host_.registerFloatingWindow)
        host_.registerFloatingWindow(frame);
}

void CHistogramTool::SaveWindow() {
    if (!window_)
        return;
    const QRect r = window_->geometry();
    appkit::Profile::WriteInt(kSection, QStringLiteral("left"), r.left());
    appkit::Profile::WriteInt(kSection, QStringLiteral("top"), r.top());
    appkit::Profile::WriteInt(kSection, QStringLiteral("right"), r.left() + r.width());
    appkit::Profile::WriteInt(kSection, QStringLiteral("bottom"), r.top() + r.height());
    display::SaveDisplayEffects();
}

void CHistogramTool::Toggle() {
    if (!window_) {
        Create();
        window_->show();
        return;
    }
    window_->setVisible(!window_->isVisible());
}

bool CHistogramTool::IsVisible() const {
    return window_ && window_->isVisible();
}

void CHistogramTool::ApplyMarkers() {
    const display::DisplayEffects& e = display::Effects();
    const bool second = host_.channelIndex && host_.channelIndex() == 1;
    const int low = second ? e.limD1 : e.limD0, high = second ? e.limB1 : e.limB0;
    if (host_.setMarkers)
        host_.setMarkers(e.markers ? low : -1, e.markers ? high : -1);
}

void CHistogramTool::OnEffectsChanged() {
    if (view_) {
        view_->histogram(0)->SyncControls();
        view_->histogram(0)->update();
    }
}

void CHistogramTool::OnImageClick(QPoint imagePoint) {
    selectedLine_ = imagePoint.y();
    selectedColumn_ = imagePoint.x();
    if (view_) {
        view_->horizontal()->SetSelectedLine(imagePoint.y());
        view_->vertical()->SetSelectedLine(imagePoint.x());
    }
    worker_.Offer();
}

void CHistogramTool::OnUpdate(const CViewHint& hint) {
    if (const auto* ready = dynamic_cast<const CImageReadyHint*>(&hint); ready && ready->image)
        worker_.Offer();
}

// On the histogram thread: the frame and its converted image are copied under
// the frame lock, the lookup table left out.
void CHistogramTool::Fill(histo::HistogramJob& job) {
    job.raw.clear();
    job.pixels.clear();
    job.image = {};
    job.selectedLine = selectedLine_;
    job.selectedColumn = selectedColumn_;
    if (!host_.withCurrentImage)
        return;
    host_.withCurrentImage([&job](CurrentImage& image) {
        job.description = image.description;
        job.description.lutLevels = nullptr;
        job.description.lutValues = nullptr;
        const uint8_t* raw = image.rawFrame.data();
        if (raw)
            job.raw.assign(raw, raw + image.rawFrame.size());
        const int channels = display::PixelChannels(image);
        if (channels == 0)
            return;
        const display::ImageFormat f = display::FormatOf(image.description);
        const uint8_t* p = image.pixelData.data();
        job.pixels.assign(p, p + image.rowStep * uint64_t(f.height));
        job.image = {nullptr, image.rowStep, f.width, f.height, channels, f.bytesPerChannel()};
    });
}

void CHistogramTool::TakeResult() {
    if (!worker_.Take(result_) || !view_)
        return;
    view_->ShowResult(result_);
    ++resultsShown_;
}
