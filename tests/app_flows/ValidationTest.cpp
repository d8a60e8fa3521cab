// The checks the main frame makes when the camera parameters are applied, in
// their order, and the messages for a configuration the card refuses.
#include <gtest/gtest.h>

#include "../lut/LutTestFiles.h"
#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "camera/CCameraParamsDlg.h"
#include "grabber/Grabber.h"
#include "kit/MessageBox.h"

namespace {

const QString k140 =
    "Either BitDepth and Tap configuration doesn't supported\n(BitDepth*Taps*Channels shall not exceed "
    "80bit)";
const QString k141 =
    "Your Glintrail Express firmware needs to be upgraded to\nversion 0.2.0.0 or greater to support medium "
    "mode or "
    "product of\nnumber of taps and bit depth should not exceed 24";
const QString k143 = "The frame grabber doesn't support 80bit (Deca) camera link mode";
const QString kInvalid = "Invalid camera parameters.";
const QString kMedium = "Medium mode not supported on Channel 2.";
const QString kPort2 = "Port2 is busy. It is being used by Channel 2.";

// Cards: every mode; no Full or 80-bit modes; also firmware too old for medium
// mode; the other program owns channel 2; the other program owns channel 1.
const char* const kModern = R"({"cards": [{"channels": [{"camera": {}}, {"camera": {}}]}]})";
const char* const kNoFullDeca =
    R"({"cards": [{"fullDeca": false, "channels": [{"camera": {}}, {"camera": {}}]}]})";
const char* const kOldNoFullDeca =
    R"({"cards": [{"fullDeca": false, "firmware": "0.1.9.0", "channels": [{"camera": {}}, {"camera": {}}]}]})";
const char* const kSecondOwned =
    R"({"cards": [{"channels": [{"camera": {}}, {"ownedByOtherProgram": true}]}]})";
const char* const kFirstOwned =
    R"({"cards": [{"channels": [{"ownedByOtherProgram": true}, {"camera": {}}]}]})";
const char* const kNoCard = R"({"cards": [{"openable": false}]})";

struct ApplyCase {
    const char* name;
    const char* machine;
    uint32_t bitDepth;
    uint32_t tapFormat;  // 1: 1 tap, 5: 2 taps, 10: 4 taps, 17: 8 taps, 18: 10 taps
    uint32_t width;
    QString message;  // empty: applied without a word
    bool applied;     // the description took the new configuration
};

void PrintTo(const ApplyCase& c, std::ostream* os) {
    *os << c.name;
}

class ApplyOrder : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyOrder, FirstFailingCheckSpeaks) {
    const ApplyCase& c = GetParam();
    flows::UseMachine(c.machine);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ASSERT_EQ(frame.cardHandle() == 0, c.machine == kNoCard);
    const CameraConfig before = frame.cameraDescription().config;

    CameraConfig config = before;
    config.bitDepth = c.bitDepth;
    config.widthValid = c.width;
    ASSERT_EQ(grabber::SetTapFormat(c.tapFormat, config.tapConfig), ZAMGRB_OK);
    frame.cameraParams()->SetConfig(config);
    RecordedMessages().clear();

    const bool done = frame.ApplyCameraParameters();
    EXPECT_EQ(RecordedMessages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    const CameraConfig& after = frame.cameraDescription().config;
    if (c.applied) {
        EXPECT_TRUE(done) << "a refusal by the card still counts as applied";
        EXPECT_EQ(after.bitDepth, c.bitDepth);
        EXPECT_EQ(after.widthValid, c.width);
        EXPECT_EQ(after.tapConfig.taps, config.tapConfig.taps);
    } else {
        EXPECT_FALSE(done);
        EXPECT_EQ(after.bitDepth, before.bitDepth) << "a failed check leaves the channel as it was";
        EXPECT_EQ(after.widthValid, before.widthValid);
        EXPECT_EQ(after.tapConfig.taps, before.tapConfig.taps);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ApplyOrder,
    ::testing::Values(ApplyCase{"EightyBitsPassOnAFullCard", kModern, 8, 18, 640, {}, true},
                      ApplyCase{"EightyBitsPassStepOneThenNeedDeca", kNoFullDeca, 8, 18, 640, k143, false},
                      ApplyCase{"FirmwareBeforeTheWidth", kOldNoFullDeca, 8, 10, 0, k141, false},
                      ApplyCase{"CardRefusesTheGeometry", kModern, 8, 5, 641, kInvalid, true},
                      ApplyCase{"MediumModeOnChannelTwo", kFirstOwned, 8, 10, 640, kMedium, true},
                      ApplyCase{"MediumModeOnChannelOneWhilePortTwoIsOwned", kSecondOwned, 8, 10, 640, kPort2,
                                true},
                      ApplyCase{"MediumModeWaitsForACard", kNoCard, 8, 10, 640, {}, true}),
    [](const ::testing::TestParamInfo<ApplyCase>& info) { return std::string(info.param.name); });

// A new depth takes the table of that depth in the same hold of the frame lock:
// the card's refusal speaks after the description changed and before anything
// else is attached, and the table in force then already has the new depth.
TEST(ApplyLut, TheTableChangesWithTheDepth) {
    flows::UseMachine(kModern);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    luttest::LutFiles files;
    lut::LutController& lut = frame.lutController();
    const auto ramp = luttest::Table(":Table", 0, 255, [](int i) { return i; });
    ASSERT_TRUE(lut.LoadLut(files.Write("ramp.lut", luttest::Join({{":Options", "depth=8"}, ramp}))));
    lut.OnToggleLut();
    ASSERT_TRUE(lut.useLut());

    for (const uint32_t depth : {10u, 8u, 12u}) {
        CameraConfig config = frame.cameraDescription().config;
        config.bitDepth = depth;
        config.widthValid = 641;  // two taps: the card refuses it
        ASSERT_EQ(grabber::SetTapFormat(5, config.tapConfig), ZAMGRB_OK);
        frame.cameraParams()->SetConfig(config);
        const int32_t* seen = nullptr;
        auto previous = appkit::SetMessageHandler([&](const appkit::MessageRequest&) {
            std::lock_guard lock(frame.frameLock());
            seen = frame.cameraDescription().lutLevels;
            return QMessageBox::Ok;
        });
        EXPECT_TRUE(frame.ApplyCameraParameters());
        appkit::SetMessageHandler(previous);
        EXPECT_EQ(frame.cameraDescription().config.bitDepth, depth);
        EXPECT_EQ(seen, lut.tables()->Find(int(depth))->levels.data()) << depth;
        EXPECT_EQ(frame.cameraDescription().lutLevels, seen) << depth;
    }
}

}  // namespace
