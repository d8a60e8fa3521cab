// The camera control and colour tools of the main frame against the software
// card: triggered frames from the pulse generator, its period checks, the records
// through the channel files, and the white balance of a Bayer camera.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <array>

#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "camera/CCCControlDlg.h"
#include "camera/CCameraParamsDlg.h"
#include "camera/CNumericEdit.h"
#include "camera/CRGBControlDlg.h"
#include "camera/CameraParamsRules.h"
#include "grabber/CameraFiles.h"
#include "grabber/Grabber.h"
#include "res/ResourceIds.h"
#include "zamgrb_sim.h"

namespace {

using flows::UseMachine;
using flows::WaitUntil;
using namespace std::chrono_literals;

uint32_t grabbingCount(const CMainFrame& frame) {
    GrabStatistics s{};
    grabber::GetStatistics(frame.cardHandle(), frame.channel(), s);
    return s.grabbingCount;
}

uint64_t masterPulses(const CMainFrame& frame) {
    uint64_t master = 0;
    ZamgrbSimGetPulseCounters(frame.cardHandle(), frame.channel(), &master, nullptr);
    return master;
}

void click(QWidget& dialog, const QString& text, int which = 0) {
    for (auto* b : dialog.findChildren<QAbstractButton*>())
        if (b->text() == text && which-- == 0)
            return b->click();
    ADD_FAILURE() << text.toStdString();
}

// 100 ms master period: granularity 1000 (10 us) x 10000 cycles.
PulseGeneratorSettings generator(uint8_t mode, uint16_t count) {
    return {mode, 0, count, 1000, 100, 10000, 100, 200};
}

// Every pulse on CC1 of a trigger camera is one frame: continuous pulses grab at
// the master frequency and end with "Start", a burst of five gives five frames. A
// time not below the master period is said first, and "Start" pops out.
TEST(CameraControlFlow, PulsesOnCC1TriggerOneFrameEach) {
    UseMachine(R"({"cards": [{"channels": [{"camera": {"trigger": true}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(true));
    CCCControlDlg& cc = *frame.ccControl();
    PulseGeneratorSettings p = generator(0, 1);
    p.slaveDelay = p.masterPeriod;
    cc.SetPulseGeneratorSettings(p);
    click(cc, "Master pulse");  // CC1's
    RecordedMessages().clear();
    cc.SetPulseGenStarted(true);
    EXPECT_EQ(RecordedMessages(), QStringList{"Slave pulse delay should not exceed Master pulse period"});
    EXPECT_FALSE(cc.IsPulseGenStarted());
    EXPECT_EQ(masterPulses(frame), 0u);

    cc.SetSlaveDelay(200);
    EXPECT_EQ(cc.frequencyText(), "10.00");
    cc.SetPulseGenStarted(true);
    ASSERT_TRUE(WaitUntil([&] { return grabbingCount(frame) >= 3; }));
    cc.SetPulseGenStarted(false);
    const uint64_t pulses = masterPulses(frame);
    EXPECT_TRUE(WaitUntil([&] { return grabbingCount(frame) == pulses; })) << pulses;
    WaitUntil([] { return false; }, 350ms);  // more than three periods
    EXPECT_EQ(masterPulses(frame), pulses) << "stopped";
    EXPECT_EQ(grabbingCount(frame), pulses);

    cc.SetPulseMode(1);
    cc.SetPulseCount(5);
    cc.SetPulseGenStarted(true);
    EXPECT_TRUE(WaitUntil([&] { return grabbingCount(frame) == pulses + 5; }));
    WaitUntil([] { return false; }, 350ms);
    EXPECT_EQ(grabbingCount(frame), pulses + 5);
    EXPECT_EQ(masterPulses(frame), pulses + 5);
}

// The records go to the channel's file as the tools change them and come back into
// the tools with the channel; the generator of the channel left is released.
TEST(CameraControlFlow, RecordsFollowTheChannelFiles) {
    UseMachine(R"({"cards": [{"channels": [{"camera": {}}, {"camera": {}}]}]})");
    grabber::ChannelSettings stored;
    stored.pulseGenerator = {0, 0, 9, 4, 5, 50, 6, 7};
    stored.cameraControl = {{2, 3, 4, 9}};
    CameraDescription description = grabber::DefaultCameraDescription();
    description.rgbOffsetRed = -3, description.rgbOffsetBlue = 5;
    description.rgbGainRed = 1.5, description.rgbGainGreen = 2.0;
    ASSERT_EQ(grabber::SaveCameraSettings(grabber::AutomaticChannelFile(1), stored, description), 0u);

    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.ccControl()->SetPulseGeneratorSettings(generator(0, 1));
    frame.ccControl()->SetPulseGenStarted(true);
    ASSERT_TRUE(frame.ccControl()->IsPulseGenStarted());
    frame.ExecuteCommand(res::ID_CHANNEL_2);
    ASSERT_EQ(frame.channel(), 1);
    EXPECT_FALSE(frame.ccControl()->IsPulseGenStarted()) << "a loaded file starts nothing";
    PulseGeneratorSettings shown{};
    frame.ccControl()->GetPulseGeneratorSettings(shown);
    EXPECT_EQ(std::memcmp(&shown, &stored.pulseGenerator, sizeof shown), 0);
    CRGBControlDlg& rgb = *frame.rgbControl();
    EXPECT_EQ(rgb.GetRedOffset() + rgb.GetBlueOffset(), 2);
    EXPECT_EQ(rgb.GetBlueGain(), 1.0) << "an unset gain shows as 1";

    rgb.offsetEdit(rgbcontrol::kGreen)->setText("200");
    frame.OnNotify(res::IDD_RGB_CONTROL, CRGBControlDlg::kChanged);
    click(*frame.ccControl(), "'1'", 1);  // CC2's
    const flows::StoredCamera file = flows::ReadCameraFile(grabber::AutomaticChannelFile(1));
    EXPECT_EQ(file.description.rgbOffsetGreen, 127) << "clamped into the description";
    EXPECT_EQ(rgb.GetGreenOffset(), 200) << "the edit keeps what was typed";
    EXPECT_EQ(file.settings.cameraControl.source[1], 1u);
    EXPECT_EQ(file.settings.cameraControl.source[3], 9u) << "the loaded sources shown, and taken back";
}

// Means of red, green and blue in the picture on screen (B, G, R, unused bytes).
std::array<double, 3> shownMeans(CMainFrame& frame) {
    std::lock_guard lock(frame.frameLock());
    const PageBuffer& pixels = frame.currentImage().pixelData;
    std::array<double, 3> means{};
    for (size_t i = 0; i < pixels.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            means[c] += pixels.data()[i + 2 - c] * 4.0 / double(pixels.size());
    return means;
}

// Analyze, then Apply, balances the three colours of the Bayer camera's ramp.
TEST(CameraControlFlow, WhiteBalanceEvensTheBayerChannels) {
    UseMachine(R"({"cards": [{"channels": [{"camera": {"color": "bayer", "source": "ramp",
        "width": {"valid": 128, "post": 32}, "height": {"valid": 64, "post": 8}}}]}]})");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    CameraConfig config = frame.cameraDescription().config;
    config.widthValid = 128, config.heightValid = 64;
    frame.cameraParams()->SetConfig(config);
    frame.cameraParams()->SetVideoType(cameraparams::kBayer);
    ASSERT_TRUE(frame.ApplyCameraParameters());
    click(*frame.rgbControl(), "Analyze");
    EXPECT_EQ(frame.rgbControl()->balanceText(0), "Mean RGB = {0,0,0}") << "no frame yet";
    frame.ExecuteCommand(res::ID_SNAP_IMAGE);
    ASSERT_TRUE(WaitUntil([&] { return !frame.cameraParams()->IsGrabOn(); }));

    const std::array<double, 3> before = shownMeans(frame);
    ASSERT_GT(before[0], before[1] * 1.5) << "the ramp is far from balanced to start with";
    click(*frame.rgbControl(), "Analyze");
    click(*frame.rgbControl(), "Apply");
    const std::array<double, 3> after = shownMeans(frame);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(after[c], after[2], after[2] * 0.01)
            << c << " " << frame.rgbControl()->balanceText(0).toStdString();
    EXPECT_EQ(frame.cameraDescription().rgbGainBlue, 1.0) << "the brightest colour keeps its gain";
}

}  // namespace
