#include "display/CChildView.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "display/CHexDumpDlg.h"
#include "display/DisplayEffects.h"
#include "display/HexCells.h"
#include "display/HistogramHook.h"
#include "display/ImageFormat.h"
#include "display/PixelValue.h"
#include "display/ViewHints.h"
#include "display/ZoomGeometry.h"
#include "grabber/Grabber.h"
#include "res/Cursors.h"
#include "res/ResourceIds.h"

using namespace res;

namespace {

constexpr int kOverlayPeriodMs = 40;
// The scroll extent must stay inside the scroll bars' integer range.
constexpr double kMaxExtent = 1 << 30;
// An image pixel is at most this many screen pixels wide: the display buffer of a
// region holds whole image pixels, so a larger zoom would make it grow to
// gigabytes for the one or two pixels in view.
constexpr double kMaxZoom = 256;
const QColor kGridColour(0x00, 0x00, 0x40);    // COLORREF 0x400000
const QColor kSelectionColour(0xFF, 0xFF, 0);  // COLORREF 0x00FFFF
const QPoint kUnset(-1, -1);

// Zoom of a fixed zoom command: 25 % for the first, doubling for each next one.
double FixedZoom(int id) {
    return 0.25 * std::ldexp(1.0, id - ID_ZOOM_25);
}

// A display coordinate clamped near the visible area, so far-away edges stay
// off-screen without overflowing the painter's integers.
int ClampToView(int64_t v, int extent) {
    return int(std::clamp<int64_t>(v, -8, int64_t(extent) + 8));
}

}  // namespace

CChildView::CChildView(QWidget* parent)
    : QAbstractScrollArea(parent), imageCursor_(res::imageCursor()), overlay_(64, 1, 2, 64, -1, -2) {
    setFrameShape(QFrame::StyledPanel);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    ownImage_.description = grabber::DefaultCameraDescription();
    display::LoadDisplayEffects();
    overlayTimer_.setInterval(kOverlayPeriodMs);
    connect(&overlayTimer_, &QTimer::timeout, this, [this] {
        overlay_.Tick();
        viewport()->update();
    });
    Relayout(true);
}

CChildView::~CChildView() {
    display::SaveDisplayEffects();
}

void CChildView::SetHost(Host host) {
    host_ = std::move(host);
}

void CChildView::SetCurrentImage(CurrentImage* image) {
    image_ = image ? image : &ownImage_;
}

void CChildView::SetHistogram(HistogramHook* histogram) {
    histogram_ = histogram;
}

QSize CChildView::imageSize() const {
    const display::ImageFormat f = display::FormatOf(image_->description);
    return QSize(f.width, f.height);
}

bool CChildView::hasPixels() const {
    return display::PixelChannels(*image_) != 0;
}

// Negative while the picture is centred: the extent then starts at origin_.
QPoint CChildView::scrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()) - origin_;
}

QPoint CChildView::ClientToImage(QPoint client) const {
    return display::DisplayToImage(client + scrollPosition(), zoom_);
}

// ---- updates --------------------------------------------------------------

void CChildView::OnUpdate(QWidget*, int64_t, const CViewHint* hintObject) {
    if (!hintObject) {
        Relayout(true);
        if (fitMode_)
            FitToWindow();
    } else if (dynamic_cast<const CUpdateViewHint*>(hintObject)) {
        Relayout(false);
    } else if (const auto* ready = dynamic_cast<const CImageReadyHint*>(hintObject)) {
        if (ready->image)
            OnImageReady(*ready->image, *hintObject);
    }
}

void CChildView::Relayout(bool formatReset) {
    if (formatReset) {
        ReleaseDisplayBuffer();
        image_->pixelData.reset();
        image_->rowStep = 0;
        palette_.clear();
        // The dump's grid loses its selection with the old format; so does the frame.
        anchor_ = end_ = kUnset;
        if (hexDump_)
            hexDump_->SelectPixels(QRect());
    }
    BuildPalette();
    const QSize size = imageSize();
    // A larger image at the same zoom may not fit the scroll range: zoom out until it does.
    while (size.width() * zoom_ > kMaxExtent || size.height() * zoom_ > kMaxExtent)
        zoom_ /= 2;
    SetScrollSizes(QSize(int(size.width() * zoom_), int(size.height() * zoom_)));
    viewport()->update();
    ReleaseDisplayBuffer();
    if (hexDump_)
        hexDump_->SetImageSize(size.width(), size.height());
}

void CChildView::OnImageReady(CurrentImage& image, const CViewHint& hint) {
    image_ = &image;
    if (!image.rawFrame)
        return;
    const uint8_t flags = ZAMGRB_CONVERT_KEEP_DEPTH | ZAMGRB_CONVERT_FOUR_CHANNELS;
    // Four channels: the display buffer is Qt's native 32-bit format on every
    // screen, also where the screen reports 24 bits (a 24-bit buffer would be
    // converted line by line at every paint).
    uint64_t rowStep = 0;
    grabber::ConvertFrame(image.description, image.rawFrame.data(), nullptr, rowStep, flags, nullptr);
    const uint64_t size = rowStep * image.description.config.heightValid;
    // The block is allocated once per format; a depth change that alters the
    // layout gets a new one too.
    bool fresh = false;
    if (!image.pixelData || image.pixelData.size() != size || image.rowStep != rowStep) {
        image.rowStep = 0;
        if (size == 0 || !image.pixelData.allocate(size))
            return;  // the frame is dropped
        fresh = true;
    }
    image.rowStep = rowStep;
    grabber::ConvertFrame(image.description, image.rawFrame.data(), image.pixelData.data(), rowStep, flags,
                          nullptr);

    if (hexDump_ && hexDump_->isVisible())
        hexDump_->Refresh(fresh);
    viewport()->repaint();
    if (histogram_ && histogram_->IsVisible())
        histogram_->OnUpdate(hint);
    UpdatePixelReadout(viewport()->mapFromGlobal(QCursor::pos()));
}

// ---- conversion -----------------------------------------------------------

bool CChildView::ConvertImage(QRect& rect) {
    if (!hasPixels())
        return false;
    if (palette_.empty())
        BuildPalette();
    return converter_.ConvertImage(*image_, rect, zoom_, palette_);
}

void CChildView::BuildPalette() {
    const display::DisplayEffects& e = display::Effects();
    display::BuildPalette(palette_, int(image_->description.config.bitDepth),
                          {e.stretch, e.colorize, lowMarker_, highMarker_});
}

void CChildView::ReleaseDisplayBuffer() {
    converter_.ReleaseDisplayBuffer();
}

void CChildView::SetLowMarker(int level) {
    lowMarker_ = level;
    BuildPalette();
}

void CChildView::SetHighMarker(int level) {
    highMarker_ = level;
    BuildPalette();
}

// ---- zoom and scrolling ---------------------------------------------------

bool CChildView::CanZoom(double z) const {
    const QSize size = imageSize();
    return z > 0 && z <= kMaxZoom && std::isfinite(1.0 / z) && size.width() * z <= kMaxExtent &&
           size.height() * z <= kMaxExtent;
}

void CChildView::SetZoom(double z) {
    if (!CanZoom(z))
        return;
    fitMode_ = false;
    Zoom(z);
}

void CChildView::Zoom(double z) {
    QRect client = viewport()->rect();
    if (client.width() > total_.width())
        client.setWidth(total_.width());
    if (client.height() > total_.height())
        client.setHeight(total_.height());
    client.translate(origin_);
    const QPoint centre((client.left() + client.left() + client.width()) / 2,
                        (client.top() + client.top() + client.height()) / 2);
    const QPoint imageCentre = ClientToImage(centre);
    zoom_ = z;
    // The new extent first, so the position is not clipped to the old one.
    OnUpdate(this, 0, std::make_unique<CUpdateViewHint>().get());
    horizontalScrollBar()->setValue(int(display::DisplayEdge(imageCentre.x(), z)) - client.width() / 2);
    verticalScrollBar()->setValue(int(display::DisplayEdge(imageCentre.y(), z)) - client.height() / 2);
    emit zoomChanged();
}

void CChildView::ZoomAbout(double z, QPointF client) {
    const QPointF imagePoint = (client + QPointF(scrollPosition())) / zoom_;
    zoom_ = z;
    OnUpdate(this, 0, std::make_unique<CUpdateViewHint>().get());
    horizontalScrollBar()->setValue(int(std::floor(imagePoint.x() * z - client.x())));
    verticalScrollBar()->setValue(int(std::floor(imagePoint.y() * z - client.y())));
    emit zoomChanged();
}

void CChildView::FitToWindow() {
    fitMode_ = true;
    const QSize size = imageSize();
    // The client without scroll bars: once the image fits they go away.
    const QSize client = maximumViewportSize();
    const double z = size.isEmpty() ? 0
                                    : std::min(double(client.width()) / size.width(),
                                               double(client.height()) / size.height());
    if (CanZoom(z) && z != zoom_)
        Zoom(z);
    else
        emit zoomChanged();
}

void CChildView::SetCentredOnBlack(bool on) {
    centredOnBlack_ = on;
    setFrameShape(on ? QFrame::NoFrame : QFrame::StyledPanel);
    updateScrollBars();
    viewport()->update();
}

void CChildView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    // One step per notch; a fine-grained wheel adds up to notches.
    constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
    wheelAngle_ += event->angleDelta().y();
    for (; std::abs(wheelAngle_) >= kNotch; wheelAngle_ -= wheelAngle_ > 0 ? kNotch : -kNotch) {
        const double z = display::ZoomStep(zoom_, wheelAngle_ > 0 ? 1 : -1);
        if (!CanZoom(z))
            continue;
        fitMode_ = false;
        ZoomAbout(z, event->position());
    }
}

void CChildView::SetScrollSizes(QSize total) {
    total_ = total;
    updateScrollBars();
}

void CChildView::updateScrollBars() {
    const QSize page = viewport()->size();
    origin_ = centredOnBlack_ ? QPoint(std::max(0, (page.width() - total_.width()) / 2),
                                       std::max(0, (page.height() - total_.height()) / 2))
                              : QPoint();
    horizontalScrollBar()->setRange(0, std::max(0, total_.width() - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    horizontalScrollBar()->setSingleStep(std::max(1, page.width() / 10));
    verticalScrollBar()->setRange(0, std::max(0, total_.height() - page.height()));
    verticalScrollBar()->setPageStep(page.height());
    verticalScrollBar()->setSingleStep(std::max(1, page.height() / 10));
}

void CChildView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    ReleaseDisplayBuffer();
    updateScrollBars();
    if (fitMode_)
        FitToWindow();
}

void CChildView::scrollContentsBy(int, int) {
    viewport()->update();
}

// ---- painting -------------------------------------------------------------

void CChildView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    OnDraw(painter);
}

void CChildView::OnDraw(QPainter& painter) {
    const QPoint scroll = scrollPosition();
    const QRect visible = QRect(scroll, viewport()->size()).intersected(QRect(QPoint(0, 0), total_));
    const QRect visibleClient = visible.translated(-scroll);

    // Outside the scroll extent: the button face, or black in full screen.
    const QColor surround = centredOnBlack_ ? QColor(Qt::black) : palette().color(QPalette::Button);
    const QRegion outside = QRegion(viewport()->rect()).subtracted(QRegion(visibleClient));
    for (const QRect& r : outside)
        painter.fillRect(r, surround);

    // The overlay drifts over the visible part of the image, in client coordinates.
    if (overlay_.enabled() && overlay_.bounds() != visibleClient) {
        overlay_.SetBounds(visibleClient);
        overlayTimer_.start();
    }

    QRect d = visible;
    if (!ConvertImage(d)) {
        painter.fillRect(visibleClient, Qt::black);
        overlay_.Draw(painter);
        return;
    }
    painter.drawImage(d.topLeft() - scroll, converter_.displayImage());
    DrawGrid(painter, scroll);
    DrawSelection(painter, scroll);
    overlay_.Draw(painter);
}

void CChildView::DrawGrid(QPainter& painter, QPoint scroll) {
    if (zoom_ < 4.0 || !gridOn_)
        return;
    const QRect r = converter_.bufferedRect();
    const QSize view = viewport()->size();
    auto edgeX = [&](int64_t x) {
        return ClampToView(display::DisplayEdge(x, zoom_) - scroll.x(), view.width());
    };
    auto edgeY = [&](int64_t y) {
        return ClampToView(display::DisplayEdge(y, zoom_) - scroll.y(), view.height());
    };
    const int top = edgeY(r.top()), bottom = edgeY(int64_t(r.top()) + r.height());
    const int left = edgeX(r.left()), right = edgeX(int64_t(r.left()) + r.width());
    for (int64_t x = r.left(); x < int64_t(r.left()) + r.width(); ++x)
        painter.fillRect(edgeX(x), top, 1, bottom - top, kGridColour);
    for (int64_t y = r.top(); y < int64_t(r.top()) + r.height(); ++y)
        painter.fillRect(left, edgeY(y), right - left, 1, kGridColour);
}

void CChildView::DrawSelection(QPainter& painter, QPoint scroll) {
    if (anchor_ == kUnset || end_ == kUnset)
        return;
    const QSize view = viewport()->size();
    const int64_t left = std::min(anchor_.x(), end_.x()),
                  right = int64_t(std::max(anchor_.x(), end_.x())) + 1;
    const int64_t top = std::min(anchor_.y(), end_.y()),
                  bottom = int64_t(std::max(anchor_.y(), end_.y())) + 1;
    const QRect inner =
        display::FromEdges(ClampToView(display::DisplayEdge(left, zoom_) - scroll.x(), view.width()),
                           ClampToView(display::DisplayEdge(top, zoom_) - scroll.y(), view.height()),
                           ClampToView(display::DisplayEdge(right, zoom_) - scroll.x(), view.width()),
                           ClampToView(display::DisplayEdge(bottom, zoom_) - scroll.y(), view.height()));
    const QRegion frame = QRegion(inner.adjusted(-2, -2, 2, 2)).xored(QRegion(inner));
    for (const QRect& r : frame)
        painter.fillRect(r, kSelectionColour);
}

// ---- readout --------------------------------------------------------------

uint64_t CChildView::GetPixelValue(QPoint imagePoint) const {
    return display::GetPixelValue(*image_, imagePoint);
}

void CChildView::ShowReadout(QPoint position, int64_t value) {
    if (host_.showPixelValue)
        host_.showPixelValue(position, value);
}

void CChildView::UpdatePixelReadout(QPoint client) {
    const QPoint i = ClientToImage(client);
    const bool inside = QRect(QPoint(0, 0), imageSize()).contains(i) && viewport()->rect().contains(client);
    if (!hasPixels() || !inside) {
        viewport()->setCursor(Qt::ArrowCursor);
        ShowReadout(QPoint(), -1);
        return;
    }
    viewport()->setCursor(imageCursor_);
    ShowReadout(i + QPoint(1, 1), int64_t(GetPixelValue(i)));
}

void CChildView::leaveEvent(QEvent* event) {
    QAbstractScrollArea::leaveEvent(event);
    UpdatePixelReadout(viewport()->mapFromGlobal(QCursor::pos()));
}

// ---- selection and click --------------------------------------------------

void CChildView::SetSelection(const QRect& pixels) {
    if (selectionUpdatesSuppressed_)
        return;
    anchor_ = pixels.topLeft();
    end_ = pixels.bottomRight();
    viewport()->update();
}

void CChildView::mousePressEvent(QMouseEvent* event) {
    QAbstractScrollArea::mousePressEvent(event);
    pressStartedSelection_ = false;
    // Any other button or key held: not a selection.
    if (event->button() != Qt::LeftButton || event->buttons() != Qt::LeftButton ||
        event->modifiers() != Qt::NoModifier)
        return;
    const QPoint i = ClientToImage(event->position().toPoint());
    if (!QRect(QPoint(0, 0), imageSize()).contains(i))
        return;
    anchor_ = i;
    end_ = kUnset;
    pressStartedSelection_ = true;
    pressPoint_ = event->position().toPoint() + scrollPosition();
    viewport()->repaint();
}

void CChildView::mouseMoveEvent(QMouseEvent* event) {
    UpdatePixelReadout(event->position().toPoint());
    if ((event->buttons() & Qt::LeftButton) && pressStartedSelection_ && anchor_ != kUnset) {
        end_ = ClientToImage(event->position().toPoint());
        viewport()->repaint();
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CChildView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // Drag or click by how far the mouse went on the screen, whatever the zoom:
        // a one-row drag is a drag, a wobble over several image pixels a click.
        const QPoint moved = event->position().toPoint() + scrollPosition() - pressPoint_;
        const int threshold = QApplication::startDragDistance();
        const bool drag = pressStartedSelection_ && anchor_ != kUnset && end_ != kUnset &&
                          (std::abs(moved.x()) >= threshold || std::abs(moved.y()) >= threshold);
        pressStartedSelection_ = false;
        if (drag)
            OnDrag();
        else
            OnClick(event->position().toPoint(), event->modifiers() & Qt::ControlModifier);
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CChildView::OnDrag() {
    ++selectionUpdatesSuppressed_;
    EnsureHexDump();
    // The grid selects what was dragged (inside the image) and scrolls to the anchor.
    hexDump_->SelectPixels(QRect(anchor_, end_).normalized());
    // Scrolled once shown: a grid not yet laid out has no scroll range.
    hexDump_->show();
    hexDump_->ScrollToPixel(anchor_);
    --selectionUpdatesSuppressed_;
    const QRect selected = hexDump_->SelectedPixels();
    if (!selected.isNull())
        SetSelection(selected);
}

void CChildView::OnClick(QPoint client, bool ctrl) {
    if (hexDump_ && hexDump_->isVisible())
        hexDump_->hide();
    if (histogram_ && histogram_->IsVisible())
        histogram_->OnImageClick(ctrl ? kUnset : ClientToImage(client));
}

// ---- hex dump -------------------------------------------------------------

void CChildView::EnsureHexDump() {
    if (hexDump_)
        return;
    auto cells = [this](int x, int y) {
        return display::BodyCell(image_->description, GetPixelValue(QPoint(x, y)), hasPixels(),
                                 palette_.bgr24.empty() ? nullptr : palette_.bgr24.data(), palette_.levels);
    };
    hexDump_ = std::make_unique<CHexDumpDlg>(cells, [this](QRect r) { SetSelection(r); });
    hexDump_->showOverride = -1;  // shown by its caller
    const QSize size = imageSize();
    hexDump_->model()->SetImageSize(size.width(), size.height());
    hexDump_->Create(this);
    // The main frame's keys work while the dump has the focus.
    hexDump_->addActions(window()->actions());
    if (host_.registerFloatingWindow)
        host_.registerFloatingWindow(hexDump_.get());
}

void CChildView::ToggleHexDump() {
    EnsureHexDump();
    if (hexDump_->isVisible()) {
        hexDump_->hide();
        anchor_ = kUnset;
        viewport()->update();
    } else {
        hexDump_->show();
    }
}

// ---- commands -------------------------------------------------------------

void CChildView::contextMenuEvent(QContextMenuEvent* event) {
    if (!host_.action)
        return;
    QMenu menu(this);
    for (int id :
         std::initializer_list<int>{ID_ZOOM_IN, ID_ZOOM_OUT, 0, ID_ZOOM_25, ID_ZOOM_50, ID_ZOOM_100,
                                    ID_ZOOM_200, ID_ZOOM_400, 0, ID_ZOOM_FIT, ID_GRID, 0, ID_FULL_SCREEN}) {
        if (id == 0)
            menu.addSeparator();
        else if (QAction* a = host_.action(id))
            menu.addAction(a);
    }
    const QPoint at =
        event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(0, 0)) : event->globalPos();
    menu.exec(at);
}

bool CChildView::OnCommand(int id) {
    switch (id) {
        case ID_ZOOM_IN:
            SetZoom(zoom_ * 2);
            return true;
        case ID_ZOOM_OUT:
            SetZoom(zoom_ / 2);
            return true;
        case ID_ZOOM_25:
        case ID_ZOOM_50:
        case ID_ZOOM_100:
        case ID_ZOOM_200:
        case ID_ZOOM_400:
            SetZoom(FixedZoom(id));
            return true;
        case ID_ZOOM_FIT:
            FitToWindow();
            return true;
        case ID_GRID:
            if (zoom_ >= 4.0) {
                gridOn_ = !gridOn_;
                OnUpdate(this, 0, std::make_unique<CUpdateViewHint>().get());
            }
            return true;
        case ID_HEX_DUMP:
            ToggleHexDump();
            return true;
        case ID_HISTOGRAM:
            if (!histogram_)
                return false;
            histogram_->Toggle();
            return true;
        case ID_HISTOGRAM_CLOSED:
            histogram_ = nullptr;
            return true;
        case ID_STRETCH:
        case ID_COLORATION: {
            bool& flag = id == ID_STRETCH ? display::Effects().stretch : display::Effects().colorize;
            flag = !flag;
            if (histogram_)
                histogram_->OnEffectsChanged();
            BuildPalette();
            viewport()->update();  // the picture follows the checked state at once
            return true;
        }
        case ID_REBUILD_PALETTE:
            BuildPalette();
            return true;
        default:
            return false;
    }
}

bool CChildView::OnUpdateCommand(int id, appkit::CommandState& state) {
    switch (id) {
        case ID_ZOOM_IN:
            state.enabled = CanZoom(zoom_ * 2);
            return true;
        case ID_ZOOM_OUT:
            state.enabled = CanZoom(zoom_ / 2);
            return true;
        case ID_ZOOM_FIT:
            state.enabled = true;
            return true;
        case ID_ZOOM_25:
        case ID_ZOOM_50:
        case ID_ZOOM_100:
        case ID_ZOOM_200:
        case ID_ZOOM_400:
            state.enabled = true;
            state.checked = zoom_ == FixedZoom(id);
            return true;
        case ID_GRID:
            state.enabled = zoom_ >= 4.0;
            state.checked = gridOn_;
            return true;
        case ID_HEX_DUMP:
            state.enabled = true;
            state.checked = hexDump_ && hexDump_->isVisible();
            return true;
        case ID_HISTOGRAM:
            if (!histogram_)
                return false;
            state.enabled = true;
            state.checked = histogram_->IsVisible();
            return true;
        case ID_STRETCH:
            state.enabled = true;
            state.checked = display::Effects().stretch;
            return true;
        case ID_COLORATION:
            state.enabled = true;
            state.checked = display::Effects().colorize;
            return true;
        default:
            return false;
    }
}
