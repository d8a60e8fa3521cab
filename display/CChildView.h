// The image view in the main frame's client area. Its logical coordinates are
// zoomed image coordinates: image pixel (x, y) covers the display pixels X with
// floor(X / zoom) = x. It converts and paints the visible part of the current
// image, zooms, draws a pixel grid, reports the pixel under the cursor, lets the
// user drag a selection linked to the hex dump and hands clicks to the
// histogram window.
#pragma once

#include <QAbstractScrollArea>
#include <QCursor>
#include <QPoint>
#include <QSize>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "display/CurrentImage.h"
#include "display/DisplayConverter.h"
#include "display/KvxOverlayImage.h"
#include "display/Palette.h"
#include "kit/CommandTarget.h"

class CHexDumpDlg;
class CViewHint;
class HistogramHook;
class QAction;

class CChildView : public QAbstractScrollArea, public appkit::CommandTarget {
    Q_OBJECT
public:
    // What the view asks of the main frame.
    struct Host {
        std::function<void(QPoint position, int64_t value)> showPixelValue;  // value -1 clears
        std::function<void(QWidget*)> registerFloatingWindow;
        std::function<QAction*(int id)> action;  // for the context menu
    };

    explicit CChildView(QWidget* parent = nullptr);
    ~CChildView() override;

    void SetHost(Host host);
    // The main frame's current image record; until it is set the view shows an
    // empty record of its own.
    void SetCurrentImage(CurrentImage* image);
    void SetHistogram(HistogramHook* histogram);

    // No hint object: format reset and re-layout; CUpdateViewHint: re-layout;
    // CImageReadyHint: a new frame. Other hints are ignored.
    void OnUpdate(QWidget* sender, int64_t hint, const CViewHint* hintObject);

    // Region conversion of `rect` (zoomed image coordinates) into the display
    // buffer; `rect` becomes the converted rectangle. False without pixel data.
    bool ConvertImage(QRect& rect);
    void BuildPalette();
    void ReleaseDisplayBuffer();
    void SetLowMarker(int level);
    void SetHighMarker(int level);

    void SetZoom(double zoom);
    // Fit to window: the zoom then follows the view's size until another zoom is set.
    void FitToWindow();
    bool fitMode() const { return fitMode_; }
    // Full screen: the picture centred on black; otherwise at the top-left on the
    // button face.
    void SetCentredOnBlack(bool on);
    // Whether SetZoom would take `zoom`: an image pixel at most 256 screen pixels
    // wide and an extent the scroll bars can hold.
    bool CanZoom(double zoom) const;
    double zoom() const { return zoom_; }
    bool gridOn() const { return gridOn_; }
    // Selection from the hex dump: inclusive image pixel corners; (-1, -1, -1,
    // -1) clears it.
    void SetSelection(const QRect& pixels);
    QPoint selectionAnchor() const { return anchor_; }
    QPoint selectionEnd() const { return end_; }

    void UpdatePixelReadout(QPoint client);
    uint64_t GetPixelValue(QPoint imagePoint) const;

    // Paints the visible area in client coordinates: image, grid, selection
    // frame and overlay, or black without pixel data.
    void OnDraw(QPainter& painter);

    // The scrollable extent in logical units.
    void SetScrollSizes(QSize total);
    QSize scrollSize() const { return total_; }

    CurrentImage& currentImage() const { return *image_; }
    const display::Palette& displayPalette() const { return palette_; }
    const display::DisplayConverter& converter() const { return converter_; }
    CHexDumpDlg* hexDump() const { return hexDump_.get(); }
    KvxOverlayImage& overlay() { return overlay_; }

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, appkit::CommandState& state) override;

signals:
    // A new zoom or zoom mode.
    void zoomChanged();

protected:
    // Ctrl+wheel zooms by steps about the point under the cursor; the wheel alone scrolls.
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Relayout(bool formatReset);
    void Zoom(double zoom);
    void ZoomAbout(double zoom, QPointF client);
    void OnImageReady(CurrentImage& image, const CViewHint& hint);
    void EnsureHexDump();
    void ToggleHexDump();
    void OnDrag();
    void OnClick(QPoint client, bool ctrl);
    void DrawGrid(QPainter& painter, QPoint scroll);
    void DrawSelection(QPainter& painter, QPoint scroll);
    void ShowReadout(QPoint position, int64_t value);
    void updateScrollBars();
    QPoint scrollPosition() const;
    QPoint ClientToImage(QPoint client) const;
    bool hasPixels() const;
    QSize imageSize() const;

    Host host_;
    CurrentImage ownImage_;
    CurrentImage* image_ = &ownImage_;
    HistogramHook* histogram_ = nullptr;

    display::Palette palette_;
    display::DisplayConverter converter_;
    int lowMarker_ = -1;
    int highMarker_ = -1;
    double zoom_ = 1.0;
    bool gridOn_ = false;
    bool fitMode_ = false;
    bool centredOnBlack_ = false;
    QPoint origin_;       // where the extent starts in the client while it is centred
    int wheelAngle_ = 0;  // Ctrl+wheel turn not yet taken as a step
    QSize total_;

    QPoint anchor_{-1, -1};
    QPoint end_{-1, -1};
    bool pressStartedSelection_ = false;
    QPoint pressPoint_;  // logical display coordinates of the press
    int selectionUpdatesSuppressed_ = 0;

    std::unique_ptr<CHexDumpDlg> hexDump_;
    QCursor imageCursor_;
    KvxOverlayImage overlay_;
    QTimer overlayTimer_;
};
