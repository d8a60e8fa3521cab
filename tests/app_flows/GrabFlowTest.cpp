// Grab control of the main frame against the software card: Snap, a description
// the card is never told, an unplugged camera and the overrun notice.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <thread>

#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "camera/CCameraParamsDlg.h"
#include "grabber/Grabber.h"
#include "kit/MessageBox.h"
#include "res/ResourceIds.h"
#include "zamgrb_sim.h"

namespace {

using flows::UseMachine;
using flows::WaitUntil;
using namespace std::chrono_literals;

// Runs the event loop for a while, so queued image-ready calls are handled.
void settle(std::chrono::milliseconds time) {
    WaitUntil([] { return false; }, time);
}

uint32_t grabbingCount(const CMainFrame& frame) {
    GrabStatistics s{};
    grabber::GetStatistics(frame.cardHandle(), frame.channel(), s);
    return s.grabbingCount;
}

// The viewer grabs at start only when asked to; until then the Card Selector and
// the channels are offered.
TEST(GrabFlow, GrabsAtStartOnlyWhenAsked) {
    UseMachine(R"({"cards": [{"channels": [{"camera": {"framePeriodUs": 10000}}]}]})");
    for (bool grab : {false, true}) {
        CMainFrame frame;
        ASSERT_TRUE(frame.OnCreate(grab));
        frame.UpdateCommandUI();
        EXPECT_EQ(frame.cameraParams()->IsGrabOn(), grab);
        for (int id : {res::ID_CARD_SELECTOR, res::ID_CHANNEL_1, res::ID_CHANNEL_2})
            EXPECT_EQ(frame.action(id)->isEnabled(), !grab) << id;
        if (grab) {
            EXPECT_TRUE(WaitUntil([&] { return frame.frameGate().shownFrames() > 2; }));
        } else {
            EXPECT_EQ(grabbingCount(frame), 0u);
        }
    }
}

TEST(GrabFlow, SnapShowsOneFrameAndEndsWithStartGrabOff) {
    UseMachine(R"({"cards": [{"channels": [{"camera": {"framePeriodUs": 150000}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.OnTimer(2);
    const uint64_t before = frame.frameGate().shownFrames();

    frame.ExecuteCommand(res::ID_SNAP_IMAGE);
    EXPECT_TRUE(frame.cameraParams()->IsGrabOn());
    ASSERT_TRUE(WaitUntil([&] { return !frame.cameraParams()->IsGrabOn(); }));
    ASSERT_TRUE(WaitUntil([&] { return frame.frameGate().shownFrames() > before; }));
    settle(500ms);  // more than three frame periods, for a second frame that must not come
    EXPECT_EQ(frame.frameGate().shownFrames() - before, 1u);
    frame.UpdateCommandUI();
    EXPECT_FALSE(frame.action(res::ID_GRAB_SEQUENCE)->isChecked());
    frame.OnTimer(2);
    EXPECT_EQ(frame.pane(res::ID_PANE_DMA)->text(), "DMA Active") << "the snapped frame was shown";
    frame.OnTimer(2);
    EXPECT_EQ(frame.pane(res::ID_PANE_DMA)->text(), "DMA Inactive");
}

// Snap while a sequence runs ends the sequence after the next frame, and the card
// stops with the button.
TEST(GrabFlow, SnapDuringASequenceEndsItAfterTheNextFrame) {
    UseMachine(R"({"cards": [{"channels": [{"camera": {"framePeriodUs": 50000}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(true));
    ASSERT_TRUE(frame.cameraParams()->IsGrabOn());
    ASSERT_TRUE(WaitUntil([&] { return frame.frameGate().shownFrames() > 0; }));

    frame.ExecuteCommand(res::ID_SNAP_IMAGE);
    ASSERT_TRUE(WaitUntil([&] { return !frame.cameraParams()->IsGrabOn(); }));
    settle(100ms);
    const uint32_t stopped = grabbingCount(frame);
    settle(300ms);  // six frame periods
    EXPECT_EQ(grabbingCount(frame), stopped) << "the card grabs no more";
    frame.UpdateCommandUI();
    EXPECT_FALSE(frame.action(res::ID_GRAB_SEQUENCE)->isChecked());
}

// A snap the card refuses is over: the next grab started runs on.
TEST(GrabFlow, AFailedSnapLeavesTheNextGrabASequence) {
    UseMachine(
        R"({"cards": [{"bufferMemory": 1000000, "channels": [{"camera": {"framePeriodUs": 20000}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    RecordedMessages().clear();
    frame.ExecuteCommand(res::ID_SNAP_IMAGE);
    ASSERT_FALSE(frame.cameraParams()->IsGrabOn()) << "four 640 x 480 buffers do not fit";
    EXPECT_EQ(RecordedMessages(), QStringList{"Can't allocate memory for image buffer. Please reduce size of "
                                              "image or use 'Packing' mode."});

    CameraConfig config = frame.cameraDescription().config;
    config.widthValid = 320, config.heightValid = 240;
    frame.cameraParams()->SetConfig(config);
    frame.cameraParams()->SetGrabOn(true);
    ASSERT_TRUE(frame.ApplyCameraParameters()) << RecordedMessages().join('|').toStdString();
    ASSERT_TRUE(WaitUntil([&] { return frame.frameGate().shownFrames() >= 3; }));
    EXPECT_TRUE(frame.cameraParams()->IsGrabOn());
}

// Outside full screen a zero width or height never reaches the card: the grab
// goes on with the configuration in force.
TEST(GrabFlow, ZeroSizeOutsideFullScreenLeavesTheCardAlone) {
    UseMachine(R"({"cards": [{"channels": [{"camera": {"framePeriodUs": 10000}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(true));
    for (uint32_t CameraConfig::*field : {&CameraConfig::widthValid, &CameraConfig::heightValid}) {
        ASSERT_TRUE(WaitUntil([&] { return grabbingCount(frame) > 2; }));
        const CameraConfig kept = frame.cameraDescription().config;
        frame.currentImage().description.config.*field = 0;
        EXPECT_EQ(frame.Reconfigure(), uint32_t(ZAMGRB_NOT_SUPPORTED));
        const uint32_t count = grabbingCount(frame);
        EXPECT_TRUE(WaitUntil([&] { return grabbingCount(frame) > count + 2; })) << "grabbing was stopped";
        EXPECT_TRUE(frame.cameraParams()->IsGrabOn());
        frame.currentImage().description.config = kept;
    }

    // In full screen the size is the card's to judge, and grabbing stops for it.
    frame.ExecuteCommand(res::ID_FULL_SCREEN);
    frame.currentImage().description.config.widthValid = 0;
    EXPECT_EQ(frame.Reconfigure(), uint32_t(ZAMGRB_NOT_SUPPORTED));
    EXPECT_FALSE(frame.cameraParams()->IsGrabOn());
    EXPECT_FALSE(frame.cameraParams()->IsStartGrabEnabled());
}

TEST(GrabFlow, UnpluggedCameraGoesOfflineAndStartGrabKeepsItsState) {
    UseMachine(
        R"({"cards": [{"channels": [{"camera": {"framePeriodUs": 10000, "unplugAfterFrames": 5}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(true));
    frame.OnTimer(1);
    ASSERT_TRUE(WaitUntil([&] {
        frame.OnTimer(1);
        return frame.pane(res::ID_PANE_CAMERA)->text() == "Camera offline";
    })) << "the camera unplugs after five frames";
    EXPECT_TRUE(frame.cameraParams()->IsGrabOn());
    EXPECT_TRUE(frame.cameraParams()->IsStartGrabEnabled());

    ASSERT_EQ(ZamgrbSimSetCameraConnected(frame.cardHandle(), 0, 1), ZAMGRB_OK);
    frame.OnTimer(1);
    EXPECT_EQ(frame.pane(res::ID_PANE_CAMERA)->text(), "Camera online");
    EXPECT_TRUE(frame.cameraParams()->IsGrabOn());

    // With Start grab off, an offline camera makes it unusable.
    frame.ExecuteCommand(res::ID_GRAB_SEQUENCE);
    ASSERT_EQ(ZamgrbSimSetCameraConnected(frame.cardHandle(), 0, 0), ZAMGRB_OK);
    frame.OnTimer(1);
    EXPECT_EQ(frame.pane(res::ID_PANE_CAMERA)->text(), "Camera offline");
    EXPECT_FALSE(frame.cameraParams()->IsStartGrabEnabled());
}

// The card's link is too narrow for the camera unpacked: every frame is an
// overrun. A longer frame blanking lets frames through again.
TEST(GrabFlow, OverrunNoticeComesWithOverrunsAndGoesWhenFramesFlow) {
    UseMachine(R"({"cards": [{"link": {"lanes": 1, "speedCode": 1},
        "channels": [{"camera": {"bitDepth": 10, "tapFormat": 10, "pixelClockMHz": 40, "framePeriodUs": 0,
                                 "width": {"valid": 1024, "post": 176}, "height": {"valid": 1024, "post": 40}}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(true));
    CameraConfig config = frame.cameraDescription().config;
    config.widthValid = 1024, config.widthPostValid = 176, config.heightValid = 1024;
    config.heightPostValid = 40, config.bitDepth = 10, config.packed = 0;
    ASSERT_EQ(grabber::SetTapFormat(10, config.tapConfig), ZAMGRB_OK);
    frame.cameraParams()->SetConfig(config);
    RecordedMessages().clear();
    ASSERT_TRUE(frame.ApplyCameraParameters());
    ASSERT_TRUE(RecordedMessages().isEmpty()) << RecordedMessages().join('|').toStdString();
    ASSERT_TRUE(frame.cameraParams()->IsGrabOn());
    EXPECT_FALSE(frame.overrunNotified());

    EXPECT_TRUE(WaitUntil([&] {
        frame.OnTimer(3);
        return frame.overrunNotified();
    })) << "the notice appears";
    QLabel* dma = frame.pane(res::ID_PANE_DMA);
    const auto* mark = dma->findChild<QLabel*>(QStringLiteral("overrun-mark"));
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(dma->toolTip().contains("overruns"));
    EXPECT_TRUE(mark->isVisibleTo(dma)) << "the pane shows icon 144";
    frame.OnTimer(2);
    EXPECT_TRUE(dma->text().startsWith("DMA ")) << "beside its text";

    ZamgrbSimGeometry slower{};
    slower.widthValid = 1024, slower.widthPostValid = 176, slower.heightValid = 1024;
    slower.heightPostValid = 3000, slower.bitDepth = 10, slower.tapConfig = config.tapConfig;
    ASSERT_EQ(ZamgrbSimSetCameraGeometry(frame.cardHandle(), 0, &slower), ZAMGRB_OK);
    EXPECT_TRUE(WaitUntil([&] {
        frame.OnTimer(3);
        return !frame.overrunNotified();
    })) << "the notice goes";
    EXPECT_TRUE(dma->toolTip().isEmpty());
    EXPECT_FALSE(mark->isVisibleTo(dma));
}

// A click on the notice explains it; a second click while the box is open does not
// open another.
TEST(GrabFlow, OverrunExplanationOnlyOnceAtATime) {
    UseMachine(R"({"cards": [{"channels": [{"camera": {}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    QStringList shown;
    auto previous = appkit::SetMessageHandler([&](const appkit::MessageRequest& request) {
        shown << request.text;
        frame.OnOverrunNoticeClicked();  // clicked again while the box is up
        return QMessageBox::Ok;
    });
    frame.OnOverrunNoticeClicked();
    appkit::SetMessageHandler(previous);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("\"Packed\"")) << shown[0].toStdString();
    RecordedMessages().clear();
    frame.OnOverrunNoticeClicked();
    EXPECT_EQ(RecordedMessages(), shown) << "once closed, the box opens again";
}

}  // namespace
