// The image view: zoom commands and their menu states, grid, painting,
// readout, selection drag and click.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>
#include <tuple>

#include "ViewSupport.h"
#include "display/CHexDumpDlg.h"
#include "display/DisplayEffects.h"
#include "display/HistogramHook.h"
#include "display/ViewHints.h"
#include "display/ZoomGeometry.h"
#include "res/ResourceIds.h"

using namespace res;

namespace {

appkit::CommandState State(CChildView& v, int id) {
    appkit::CommandState s;
    EXPECT_TRUE(v.OnUpdateCommand(id, s)) << id;
    return s;
}

void Mouse(CChildView& v, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent e(type, QPointF(at), v.viewport()->mapToGlobal(QPointF(at)), button, buttons, modifiers);
    QApplication::sendEvent(v.viewport(), &e);
}

void Drag(CChildView& v, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Mouse(v, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    Mouse(v, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
    Mouse(v, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
}

struct RecordingHistogram : HistogramHook {
    bool visible = true;
    std::vector<QPoint> clicks;
    int updates = 0;
    int effectChanges = 0;
    void Toggle() override { visible = !visible; }
    bool IsVisible() const override { return visible; }
    void OnImageClick(QPoint p) override { clicks.push_back(p); }
    void OnUpdate(const CViewHint&) override { ++updates; }
    void OnEffectsChanged() override { ++effectChanges; }
};

}  // namespace

TEST(View, ZoomStepsAndFixedZoomChecks) {
    ViewFixture f(640, 480);
    CChildView& v = *f.view;
    for (int i = 0; i < 3; ++i)
        v.OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(v.zoom(), 8.0);
    EXPECT_EQ(v.scrollSize(), QSize(5120, 3840));
    v.OnCommand(ID_ZOOM_25);
    v.OnCommand(ID_ZOOM_OUT);
    EXPECT_EQ(v.zoom(), 0.125);

    const int fixed[] = {ID_ZOOM_25, ID_ZOOM_50, ID_ZOOM_100, ID_ZOOM_200, ID_ZOOM_400};
    for (int i = 0; i < 5; ++i) {
        v.OnCommand(fixed[i]);
        EXPECT_EQ(v.zoom(), 0.25 * (1 << i));
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(State(v, fixed[j]).checked, i == j) << i << " " << j;
    }
    v.OnCommand(ID_ZOOM_FIT);
    EXPECT_DOUBLE_EQ(v.zoom(), std::min(400.0 / 640, 300.0 / 480));
    for (int id : fixed)
        EXPECT_FALSE(State(v, id).checked);
}

// Zoom in stops where an image pixel is 256 screen pixels wide, and is disabled
// there; an image that grows beyond the scroll range at the zoom in force makes
// the view zoom out.
TEST(View, ZoomLimits) {
    ViewFixture f(640, 480);
    CChildView& v = *f.view;
    for (int i = 0; i < 7; ++i)
        v.OnCommand(ID_ZOOM_IN);
    EXPECT_TRUE(State(v, ID_ZOOM_IN).enabled) << "at 128";
    for (int i = 0; i < 5; ++i)
        v.OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(v.zoom(), 256.0);
    EXPECT_EQ(v.scrollSize(), QSize(640 * 256, 480 * 256));
    EXPECT_FALSE(State(v, ID_ZOOM_IN).enabled);
    EXPECT_TRUE(State(v, ID_ZOOM_OUT).enabled);

    f.Ramp8(1 << 23, 1);  // at 256 the extent would be 2^31
    EXPECT_EQ(v.zoom(), 128.0);
    EXPECT_EQ(v.scrollSize(), QSize(1 << 30, 128));
}

TEST(View, ZoomKeepsTheCentrePixel) {
    ViewFixture f(640, 480);
    CChildView& v = *f.view;
    v.OnCommand(ID_ZOOM_400);
    v.horizontalScrollBar()->setValue(1000);
    v.verticalScrollBar()->setValue(800);
    const QSize client = v.viewport()->size();
    const QPoint centre((1000 + client.width() / 2) / 4, (800 + client.height() / 2) / 4);
    v.OnCommand(ID_ZOOM_IN);
    ASSERT_EQ(v.viewport()->size(), client);
    EXPECT_EQ(v.horizontalScrollBar()->value(), centre.x() * 8 - client.width() / 2);
    EXPECT_EQ(v.verticalScrollBar()->value(), centre.y() * 8 - client.height() / 2);
}

// Ctrl+wheel steps through the powers of two (from a fit, to the nearer one) about
// the pixel under the cursor; half a notch waits; the wheel alone scrolls.
TEST(View, CtrlWheelZoomsAboutThePointUnderTheCursor) {
    ViewFixture f(640, 480);
    CChildView& v = *f.view;
    v.OnCommand(ID_ZOOM_FIT);
    const QPoint cursor(150, 100);
    const auto under = [&] {
        return display::DisplayToImage(
            cursor + QPoint(v.horizontalScrollBar()->value(), v.verticalScrollBar()->value()), v.zoom());
    };
    const QPoint pixel = under();
    for (const auto& [angle, zoom, modifiers] : {std::tuple{120, 1.0, Qt::ControlModifier},
                                                 {60, 1.0, Qt::ControlModifier},
                                                 {60, 2.0, Qt::ControlModifier},
                                                 {240, 8.0, Qt::ControlModifier},
                                                 {-120, 4.0, Qt::ControlModifier},
                                                 {-120, 4.0, Qt::NoModifier}}) {
        QWheelEvent e(cursor, v.viewport()->mapToGlobal(cursor), {}, QPoint(0, angle), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(v.viewport(), &e);
        EXPECT_EQ(v.zoom(), zoom) << angle;
        EXPECT_EQ(under() == pixel, modifiers == Qt::ControlModifier) << angle;
    }
    EXPECT_FALSE(v.fitMode());
}

// Full screen: the picture in the middle, black around it, the readout still right.
TEST(View, CentredOnBlack) {
    ViewFixture f(100, 50);
    f.view->SetCentredOnBlack(true);
    const QPoint origin =
        (QPoint(f.view->viewport()->width(), f.view->viewport()->height()) - QPoint(100, 50)) / 2;
    const QImage shot = f.Render();
    EXPECT_EQ(shot.pixel(origin + QPoint(99, 0)), qRgb(99, 99, 99));
    EXPECT_EQ(shot.pixel(origin + QPoint(100, 0)), qRgb(0, 0, 0));
    f.view->UpdatePixelReadout(origin + QPoint(7, 3));
    EXPECT_EQ(f.readouts.back(), std::make_pair(QPoint(8, 4), int64_t(10)));
}

TEST(View, GridOnlyFromFourTimesAndItKeepsItsRequest) {
    ViewFixture f(64, 64);
    CChildView& v = *f.view;
    v.OnCommand(ID_ZOOM_200);
    EXPECT_FALSE(State(v, ID_GRID).enabled);
    v.OnCommand(ID_GRID);
    EXPECT_FALSE(v.gridOn());

    v.OnCommand(ID_ZOOM_400);
    EXPECT_TRUE(State(v, ID_GRID).enabled);
    v.OnCommand(ID_GRID);
    EXPECT_TRUE(v.gridOn());
    EXPECT_TRUE(State(v, ID_GRID).checked);
    QImage shot = f.Render();
    EXPECT_EQ(shot.pixel(4, 1), qRgb(0, 0, 0x40)) << "grid line at the start of pixel 1";
    EXPECT_EQ(shot.pixel(5, 1), qRgb(1, 1, 1)) << "pixel (1, 0)";

    v.OnCommand(ID_ZOOM_200);
    EXPECT_TRUE(v.gridOn()) << "the request stays";
    EXPECT_FALSE(State(v, ID_GRID).enabled);
    shot = f.Render();
    EXPECT_EQ(shot.pixel(2, 1), qRgb(1, 1, 1)) << "no grid below 4";
}

TEST(View, BlackWithoutPixelDataAndButtonFaceOutsideTheImage) {
    ViewFixture f;
    f.image.description = testimages::Description(100, 50, 8);
    f.view->OnUpdate(nullptr, 0, nullptr);
    QImage shot = f.Render();
    EXPECT_EQ(shot.pixel(10, 10), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(200, 10), f.view->palette().color(QPalette::Button).rgb());

    testimages::Fill(f.image, f.image.description, 1, 1, [](int x, int, int) { return uint32_t(x); });
    shot = f.Render();
    EXPECT_EQ(shot.pixel(10, 10), qRgb(10, 10, 10));
    EXPECT_EQ(shot.pixel(99, 49), qRgb(99, 99, 99));
}

TEST(View, ReadoutPositionValueAndClearing) {
    ViewFixture f;
    f.image.description = testimages::Description(100, 50, 8);
    f.view->OnUpdate(nullptr, 0, nullptr);
    f.view->UpdatePixelReadout(QPoint(0, 0));
    ASSERT_FALSE(f.readouts.empty());
    EXPECT_EQ(f.readouts.back().second, -1) << "no frame: empty panes";

    testimages::Fill(f.image, f.image.description, 1, 1, [](int x, int y, int) { return uint32_t(x + y); });
    f.view->UpdatePixelReadout(QPoint(0, 0));
    EXPECT_EQ(f.readouts.back(), std::make_pair(QPoint(1, 1), int64_t(0)));
    f.view->OnCommand(ID_ZOOM_400);
    f.view->horizontalScrollBar()->setValue(0), f.view->verticalScrollBar()->setValue(0);
    f.view->UpdatePixelReadout(QPoint(13, 7));
    EXPECT_EQ(f.readouts.back(), std::make_pair(QPoint(4, 2), int64_t(4)));
    f.view->UpdatePixelReadout(QPoint(399, 299));  // beyond the image at the bottom
    EXPECT_EQ(f.readouts.back().second, -1);
}

TEST(View, ShortDragIsAClickAndCtrlClickPassesNoPoint) {
    ViewFixture f(200, 150);
    RecordingHistogram histogram;
    f.view->SetHistogram(&histogram);
    const int t = QApplication::startDragDistance();

    Drag(*f.view, QPoint(20, 20), QPoint(20 + t - 1, 20 + t - 1));
    EXPECT_FALSE(f.view->hexDump() && f.view->hexDump()->isVisible());
    ASSERT_EQ(histogram.clicks.size(), 1u);
    EXPECT_EQ(histogram.clicks.back(), QPoint(20 + t - 1, 20 + t - 1));

    Drag(*f.view, QPoint(30, 30), QPoint(30, 30), Qt::ControlModifier);
    EXPECT_EQ(histogram.clicks.back(), QPoint(-1, -1));

    histogram.visible = false;
    Drag(*f.view, QPoint(5, 5), QPoint(5, 5));
    EXPECT_EQ(histogram.clicks.size(), 2u) << "a hidden histogram gets no click";

    f.view->OnCommand(ID_STRETCH);
    f.view->OnCommand(ID_STRETCH);
    EXPECT_EQ(histogram.effectChanges, 2);
    EXPECT_TRUE(f.view->OnCommand(ID_HISTOGRAM));
    EXPECT_TRUE(histogram.visible) << "the toggle goes to the histogram window";
    f.view->OnCommand(ID_HISTOGRAM_CLOSED);
    appkit::CommandState s;
    EXPECT_FALSE(f.view->OnUpdateCommand(ID_HISTOGRAM, s)) << "the closed window is forgotten";
}

TEST(View, DragSelectsInTheHexDumpAndClickHidesIt) {
    ViewFixture f(200, 150);
    const int t = QApplication::startDragDistance();
    Drag(*f.view, QPoint(10, 12), QPoint(10 + t + 3, 12 + t));
    CHexDumpDlg* hex = f.view->hexDump();
    ASSERT_TRUE(hex);
    EXPECT_TRUE(hex->isVisible());
    EXPECT_EQ(hex->SelectedPixels(), QRect(QPoint(10, 12), QPoint(10 + t + 3, 12 + t)));
    EXPECT_EQ(QRect(f.view->selectionAnchor(), f.view->selectionEnd()), hex->SelectedPixels());
    QImage shot = f.Render();
    EXPECT_EQ(shot.pixel(9, 12), qRgb(255, 255, 0)) << "yellow frame left of the selection";
    EXPECT_EQ(shot.pixel(8, 12), qRgb(255, 255, 0));
    EXPECT_NE(shot.pixel(10, 12), qRgb(255, 255, 0));

    // A drag past the image's corner is clipped in the grid and comes back clipped.
    Drag(*f.view, QPoint(190, 140), QPoint(260, 200));
    EXPECT_EQ(f.view->selectionEnd(), QPoint(199, 149));

    Drag(*f.view, QPoint(50, 50), QPoint(50, 50));
    EXPECT_FALSE(hex->isVisible());
    EXPECT_TRUE(State(*f.view, ID_HEX_DUMP).enabled);
    EXPECT_FALSE(State(*f.view, ID_HEX_DUMP).checked);
}

// Drag or click is decided by the screen distance in either axis, at any zoom;
// the first drag shows the dump scrolled to its anchor.
TEST(View, DragDistanceIsOnTheScreen) {
    const int t = QApplication::startDragDistance();
    struct Case {
        const char* name;
        double zoom;
        QPoint from, to;
        bool drag;  // the selection is from..to at zoom 1
    };
    const Case cases[] = {
        {"one row at zoom 1", 1.0, {120, 90}, {120 + t, 90}, true},
        {"one column at zoom 1", 1.0, {150, 60}, {150, 60 + t}, true},
        {"a wobble at zoom 0.25 is a click", 0.25, {40, 40}, {40 + t - 1, 40 + t - 1}, false},
    };
    for (const Case& c : cases) {
        ViewFixture f(400, 300);
        f.view->SetZoom(c.zoom);
        f.view->horizontalScrollBar()->setValue(0), f.view->verticalScrollBar()->setValue(0);
        Drag(*f.view, c.from, c.to);
        CHexDumpDlg* hex = f.view->hexDump();
        const bool shown = hex && hex->isVisible();
        EXPECT_EQ(shown, c.drag) << c.name;
        if (!shown || !c.drag)
            continue;
        EXPECT_EQ(hex->SelectedPixels(), QRect(c.from, c.to)) << c.name;
        EXPECT_EQ(hex->grid()->columnAt(0), c.from.x()) << c.name;
        EXPECT_EQ(hex->grid()->rowAt(0), c.from.y()) << c.name;
    }
}

// A new format empties the dump's selection and takes the yellow frame with it.
TEST(View, FormatChangeClearsBothSelections) {
    ViewFixture f(200, 150);
    const int t = QApplication::startDragDistance();
    for (const QSize size : {QSize(200, 150), QSize(120, 100)}) {
        Drag(*f.view, QPoint(10, 12), QPoint(10 + t, 12 + t));
        ASSERT_EQ(f.view->selectionAnchor(), QPoint(10, 12));
        f.Ramp8(size.width(), size.height());
        EXPECT_EQ(QRect(f.view->selectionAnchor(), f.view->selectionEnd()),
                  QRect(QPoint(-1, -1), QPoint(-1, -1)))
            << size.width();
        EXPECT_TRUE(f.view->hexDump()->SelectedPixels().isNull());
        EXPECT_NE(f.Render().pixel(9, 14), qRgb(255, 255, 0)) << "no frame left of the old selection";
    }
}

TEST(View, EffectCommandsToggleAndRebuildThePalette) {
    ViewFixture f(16, 16);
    CChildView& v = *f.view;
    display::Effects() = {};  // not the flags an earlier view of this process saved
    v.OnCommand(ID_COLORATION);
    EXPECT_TRUE(State(v, ID_COLORATION).checked);
    EXPECT_EQ(v.displayPalette().rgb32[0] & 0xFFFFFF, 0x00FF00u);
    v.OnCommand(ID_COLORATION);
    EXPECT_FALSE(State(v, ID_COLORATION).checked);
    v.SetHighMarker(100);
    v.OnCommand(ID_STRETCH);
    EXPECT_EQ(v.displayPalette().rgb32[150] & 0xFFFFFF, 0xFFFFFFu);
    v.OnCommand(ID_STRETCH);
    appkit::CommandState s;
    EXPECT_FALSE(v.OnUpdateCommand(ID_HISTOGRAM, s)) << "no histogram window yet";
}

TEST(View, FrameArrivalWithoutRawFrameChangesNothing) {
    ViewFixture f(32, 32);
    const CImageReadyHint ready(&f.image);
    f.view->OnUpdate(nullptr, 0, &ready);
    EXPECT_TRUE(f.image.pixelData) << "the hand-filled pixels stay";
    EXPECT_EQ(f.Render().pixel(3, 4), qRgb(7, 7, 7));
}
