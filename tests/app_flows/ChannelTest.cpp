// Switching between the card's two channels, with another program owning one,
// and the names the window title and the Input Channel menu give them.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>

#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "camera/CCameraParamsDlg.h"
#include "grabber/CameraFiles.h"
#include "grabber/Grabber.h"
#include "res/ResourceIds.h"

namespace {

using flows::UseMachine;

constexpr uint64_t kCard = 0x70;
const std::string kMachine =
    R"({"cards": [{"id": "0x70", "location": "slot A", "channels": [{"camera": {}}, {"camera": {}}]}]})";

bool channelIsFree(uint8_t channel) {
    grabber::CardHandle other = grabber::CardHandle::Open(kCard);
    return other && grabber::OpenChannel(other.get(), channel) == ZAMGRB_OK;
}

TEST(SwitchChannel, ToTheOpenChannelDoesNothing) {
    UseMachine(kMachine);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(true));
    ASSERT_EQ(frame.channel(), 0);
    ASSERT_TRUE(frame.cameraParams()->IsGrabOn());
    QFile::remove(grabber::AutomaticChannelFile(0));
    RecordedMessages().clear();

    frame.ExecuteCommand(res::ID_CHANNEL_1);
    EXPECT_EQ(frame.channel(), 0);
    EXPECT_TRUE(frame.cameraParams()->IsGrabOn()) << "grabbing was not stopped";
    EXPECT_FALSE(QFile::exists(grabber::AutomaticChannelFile(0))) << "no camera file was written";
    EXPECT_TRUE(RecordedMessages().isEmpty());
    EXPECT_FALSE(channelIsFree(0));
}

// Another program owns channel 2: the switch fails and the frame takes channel 1
// back; once that program ends, the switch succeeds.
TEST(SwitchChannel, ToAChannelOfAnotherProcessKeepsTheOldOne) {
    UseMachine(kMachine);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ASSERT_EQ(frame.channel(), 0);
    {
        flows::ChannelHolder other(kCard, 1);
        ASSERT_TRUE(other.holds());
        RecordedMessages().clear();
        frame.ExecuteCommand(res::ID_CHANNEL_2);
        EXPECT_EQ(RecordedMessages(), QStringList{"Selected channel busy"});
        ASSERT_NE(frame.cardHandle(), 0u);
        EXPECT_EQ(frame.channel(), 0);
        EXPECT_FALSE(channelIsFree(0)) << "the old channel is claimed again";
        EXPECT_FALSE(frame.cameraParams()->IsGrabOn());
        frame.ExecuteCommand(res::ID_GRAB_SEQUENCE);
        EXPECT_TRUE(frame.cameraParams()->IsGrabOn()) << "and configured again";
        EXPECT_EQ(RecordedMessages(), QStringList{"Selected channel busy"});
        frame.ExecuteCommand(res::ID_GRAB_SEQUENCE);
    }
    RecordedMessages().clear();
    frame.ExecuteCommand(res::ID_CHANNEL_2);
    EXPECT_TRUE(RecordedMessages().isEmpty()) << RecordedMessages().join('|').toStdString();
    EXPECT_EQ(frame.channel(), 1);
    EXPECT_TRUE(channelIsFree(0)) << "the old channel is released";
    EXPECT_FALSE(channelIsFree(1));
}

// With no card open, a switch opens the card for itself and closes it again when
// the channel is busy.
TEST(SwitchChannel, WithoutACardOpensOneOnlyForASuccessfulSwitch) {
    UseMachine(kMachine);
    auto first = std::make_unique<flows::ChannelHolder>(kCard, 0);
    auto second = std::make_unique<flows::ChannelHolder>(kCard, 1);
    ASSERT_TRUE(first->holds() && second->holds());
    RecordedMessages().clear();
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    EXPECT_EQ(RecordedMessages(), QStringList{"No free Glintrail Express card detected!"});
    ASSERT_EQ(frame.cardHandle(), 0u);
    second.reset();

    RecordedMessages().clear();
    frame.ExecuteCommand(res::ID_CHANNEL_1);
    EXPECT_EQ(RecordedMessages(), QStringList{"Selected channel busy"});
    EXPECT_EQ(frame.cardHandle(), 0u) << "the card opened for the switch is closed again";

    RecordedMessages().clear();
    frame.ExecuteCommand(res::ID_CHANNEL_2);
    EXPECT_TRUE(RecordedMessages().isEmpty()) << RecordedMessages().join('|').toStdString();
    EXPECT_NE(frame.cardHandle(), 0u);
    EXPECT_EQ(frame.channel(), 1);
}

// A configuration the card refuses on the new channel is reported, and the title
// names the channel in force.
TEST(SwitchChannel, ARefusedConfigurationIsReportedAndTheTitleFollows) {
    UseMachine(kMachine);
    flows::WriteCameraFile(grabber::AutomaticChannelFile(1), "Right", 641, 5);  // two taps: 641 is refused
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    RecordedMessages().clear();
    frame.ExecuteCommand(res::ID_CHANNEL_2);
    EXPECT_EQ(RecordedMessages(), QStringList{"Invalid camera parameters."});
    EXPECT_EQ(frame.windowTitle(), "slot A - Channel 2: Right");
    EXPECT_FALSE(frame.cameraParams()->IsStartGrabEnabled());
}

struct NamesCase {
    const char* location;  // the card's alias is its location
    const char* firstCamera;
    QString title, firstItem, secondItem;
};

void PrintTo(const NamesCase& c, std::ostream* os) {
    *os << '"' << c.location << '"';
}

class ChannelNames : public ::testing::TestWithParam<NamesCase> {};

// The other channel's camera alias comes from its automatic camera file.
TEST_P(ChannelNames, TitleAndMenuTexts) {
    const NamesCase& c = GetParam();
    UseMachine(std::string(R"({"cards": [{"id": "0x71", "location": ")") + c.location +
               R"(", "channels": [{"camera": {}}, {"camera": {}}]}]})");
    flows::WriteCameraFile(grabber::AutomaticChannelFile(0), c.firstCamera);
    flows::WriteCameraFile(grabber::AutomaticChannelFile(1), "Right");
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.UpdateCommandUI();
    EXPECT_EQ(frame.windowTitle(), c.title);
    EXPECT_EQ(frame.action(res::ID_CHANNEL_1)->text(), c.firstItem);
    EXPECT_EQ(frame.action(res::ID_CHANNEL_2)->text(), c.secondItem);
}

INSTANTIATE_TEST_SUITE_P(
    Aliases, ChannelNames,
    ::testing::Values(NamesCase{"", "Left", "Channel 1: Left", " - Channel 1: Left", " - Channel 2: Right"},
                      NamesCase{"Rig", "", "Rig - Channel 1", "Rig - Channel 1", "Rig - Channel 2: Right"}));

}  // namespace
