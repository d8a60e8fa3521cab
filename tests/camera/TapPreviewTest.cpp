#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>

#include "TapFormats.h"
#include "TapGeometry.h"
#include "camera/CTapReconstrPreview.h"
#include "grabber/Grabber.h"

namespace {

// The colour inside cell (x, y) of a drawn preview.
QColor cellColour(const QImage& image, int x, int y) {
    return image.pixelColor(x * CTapReconstrPreview::kCellSize + 2, y * CTapReconstrPreview::kCellSize + 2);
}

QImage afterSteps(CTapReconstrPreview& preview, const TapConfig& config, int steps) {
    preview.SetTapConfig(config);
    for (int i = 0; i < steps; ++i)
        preview.tick();
    return preview.grab().toImage();
}

TEST(TapPreview, OneTapFillsLinesFromTheLeftOrTheRight) {
    CTapReconstrPreview preview;
    preview.resize(80, 40);  // 10 x 5 cells
    const QColor background = preview.palette().color(QPalette::Button);

    QImage image = afterSteps(preview, StandardTaps(1), 12);
    EXPECT_EQ(cellColour(image, 0, 0), QColor(Qt::red));
    EXPECT_EQ(cellColour(image, 9, 0), QColor(Qt::red));
    EXPECT_EQ(cellColour(image, 1, 1), QColor(Qt::red));
    EXPECT_EQ(cellColour(image, 2, 1), background);

    image = afterSteps(preview, StandardTaps(2), 3);
    EXPECT_EQ(cellColour(image, 9, 0), QColor(Qt::red));
    EXPECT_EQ(cellColour(image, 7, 0), QColor(Qt::red));
    EXPECT_EQ(cellColour(image, 6, 0), background);
    EXPECT_EQ(cellColour(image, 0, 0), background);
}

TEST(TapPreview, FullFrameMatchesTheLibraryGeometryAndThenRestarts) {
    CTapReconstrPreview preview;
    preview.resize(100, 60);  // 12 x 7 cells: 12 columns, 6 rows for two channels
    TapConfig config = StandardTaps(13);
    config.channels = 2;
    config.channelOutput = 1;
    config.channelOrder = 1;
    const auto geometry = zamgrb::TapGeometry::create(config, 12, 6);
    ASSERT_TRUE(geometry);
    const int steps = int(geometry->linePeriods() * geometry->clocksPerLine());
    const QImage image = afterSteps(preview, config, steps);
    for (uint32_t k = 0; k < geometry->sampleCount(); ++k) {
        const auto at = geometry->positionOf(k);
        const uint32_t tap = k % geometry->samplesPerClock();
        EXPECT_EQ(cellColour(image, int(at.x), int(at.y)), CTapReconstrPreview::TapColor(tap)) << k;
    }
    preview.tick();
    preview.grab();
    EXPECT_EQ(preview.step(), 0u);
}

TEST(TapPreview, ShowHideRestart) {
    CTapReconstrPreview preview;
    preview.resize(80, 80);
    preview.show();
    EXPECT_TRUE(preview.isAnimating());
    preview.tick();
    preview.hide();
    EXPECT_FALSE(preview.isAnimating());
    EXPECT_EQ(preview.step(), 0u);
}

}  // namespace
