// The histogram window on an image view: marker clicks and check boxes reach
// the display palette, clicks in the image select the profiled line.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>
#include <cstring>
#include <mutex>

#include "analysis/CGraphView.h"
#include "analysis/CHistogramTool.h"
#include "display/DisplayEffects.h"
#include "grabber/Grabber.h"
#include "res/ResourceIds.h"
#include "tests/display/ViewSupport.h"

namespace {

struct HistogramFixture : ViewFixture {
    std::mutex frameLock;
    std::unique_ptr<CHistogramTool> tool;

    HistogramFixture() : ViewFixture(64, 64) {
        display::Effects() = {};
        image.rawFrame.allocate(64 * 64);
        std::memcpy(image.rawFrame.data(), image.pixelData.data(), 64 * 64);
        CHistogramTool::Host host;
        host.parent = [this] { return view.get(); };
        host.channelIndex = [] { return 0; };
        host.setMarkers = [this](int low, int high) {
            view->SetLowMarker(low);
            view->SetHighMarker(high);
        };
        host.rebuildPalette = [this] { view->OnCommand(res::ID_REBUILD_PALETTE); };
        host.withCurrentImage = [this](const std::function<void(CurrentImage&)>& use) {
            std::lock_guard lock(frameLock);
            use(image);
        };
        tool = std::make_unique<CHistogramTool>(std::move(host));
        view->SetHistogram(tool.get());
        EXPECT_TRUE(view->OnCommand(res::ID_HISTOGRAM));
        EXPECT_TRUE(tool->IsVisible());
        Computed(QPoint(-1, -1));
    }
    CGraphView& graphs() { return *tool->graphView(); }
    // A click in the image (or a Ctrl+click) and the frame computed for it.
    void Computed(QPoint imagePoint) {
        const uint64_t before = tool->worker().offered(), shown = tool->resultsShown();
        if (imagePoint.x() < 0)
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
        else
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, imagePoint);
        ASSERT_EQ(tool->worker().offered(), before + 1);
        EXPECT_EQ(graphs().horizontal()->selectedLine(), imagePoint.y());
        EXPECT_EQ(graphs().vertical()->selectedLine(), imagePoint.x());
        QTRY_COMPARE(tool->resultsShown(), shown + 1);
        EXPECT_TRUE(graphs().horizontal()->hasData() && graphs().histogram(0)->hasData());
    }
    uint32_t colour(int level) const { return view->displayPalette().rgb32[size_t(level)] & 0xFFFFFF; }
};

TEST(HistogramWindow, MarkerClicksAndCheckBoxesDriveThePalette) {
    HistogramFixture f;
    CHistoGraph* g = f.graphs().histogram(0);
    const QRect plot = g->PlotRectFor(g->size());
    auto clickLevel = [&](Qt::MouseButton button, int approx) {
        const int x = plot.left() + approx * plot.width() / 256 + 1;
        QTest::mouseClick(g, button, Qt::NoModifier, QPoint(x, plot.center().y()));
        return histo::LevelAt(x, plot.left(), plot.width(), 0, 256);
    };
    const int high = clickLevel(Qt::RightButton, 200), low = clickLevel(Qt::LeftButton, 50);
    EXPECT_EQ(display::Effects().limB0, high);
    EXPECT_EQ(display::Effects().limD0, low);
    EXPECT_EQ(f.colour(low - 1), uint32_t(low - 1) * 0x010101) << "markers hidden: the identity ramp";
    struct Step {
        CHistoGraph::Control box;
        uint32_t under, mid, over;  // at low - 1, (low + high) / 2, high + 1
    };
    const int mid = (low + high) / 2;
    const uint32_t grey = uint32_t(std::ceil(mid * 254.0 / 255)) * 0x010101;
    const uint32_t stretched = uint32_t(std::ceil((mid - low) * 254.0 / (high - low))) * 0x010101;
    const Step steps[] = {
        {CHistoGraph::kMarkers, 0x000000, grey, 0xFFFFFF},
        {CHistoGraph::kColorization, 0x00FF00, grey, 0xFF0000},
        {CHistoGraph::kStretch, 0x00FF00, stretched, 0xFF0000},
    };
    for (const Step& s : steps) {
        QTest::mouseClick(g->control(s.box), Qt::LeftButton);
        SCOPED_TRACE(s.box);
        EXPECT_EQ(f.colour(low - 1), s.under);
        EXPECT_EQ(f.colour(mid), s.mid);
        EXPECT_EQ(f.colour(high + 1), s.over);
    }
    // Markers hidden again: the view's markers are -1, the stretch spans every level.
    QTest::mouseClick(g->control(CHistoGraph::kMarkers), Qt::LeftButton);
    EXPECT_EQ(f.colour(low - 1), uint32_t(std::ceil((low - 1) * 254.0 / 255)) * 0x010101);
    EXPECT_EQ(f.colour(0), 0x00FF00u);
    EXPECT_EQ(f.colour(255), 0xFF0000u);
    display::Effects().colorize = false;
    f.tool->OnEffectsChanged();
    EXPECT_FALSE(g->control(CHistoGraph::kColorization)->isChecked()) << "the box follows the view's command";
}

TEST(HistogramWindow, ProfilesFollowTheClickedPointAndTapsRestack) {
    HistogramFixture f;
    std::vector<uint32_t> columnMeans, rowMeans;
    for (uint32_t i = 0; i < 64; ++i) {
        columnMeans.push_back(i + 31);  // (x + y) averaged over 64 lines
        rowMeans.push_back(i + 31);
    }
    EXPECT_EQ(f.graphs().horizontal()->profile(), columnMeans);
    f.Computed(QPoint(10, 20));
    std::vector<uint32_t> line, column;
    for (uint32_t i = 0; i < 64; ++i) {
        line.push_back(i + 20);
        column.push_back(i + 10);
    }
    EXPECT_EQ(f.graphs().horizontal()->profile(), line);
    EXPECT_EQ(f.graphs().vertical()->profile(), column);
    EXPECT_EQ(f.graphs().horizontal()->tap1Average(), 47);  // (x + y) over x < 32: 15.5 + 31.5
    f.Computed(QPoint(-1, -1));
    EXPECT_EQ(f.graphs().vertical()->profile(), rowMeans) << "Ctrl+click: averages again";

    EXPECT_EQ(f.graphs().shownTaps(), 1);
    {
        std::lock_guard lock(f.frameLock);                                // the histogram thread reads it
        grabber::SetTapFormat(10, f.image.description.config.tapConfig);  // 4 segmented taps
    }
    f.Computed(QPoint(-1, -1));
    EXPECT_EQ(f.graphs().shownTaps(), 4);
    EXPECT_TRUE(f.graphs().histogram(3)->isVisibleTo(f.tool->window()));
    EXPECT_FALSE(f.graphs().histogram(4)->isVisibleTo(f.tool->window()));
    EXPECT_EQ(f.graphs().horizontal()->y(), 4 * f.graphs().histogram(0)->height()) << "re-stacked";
}

}  // namespace
