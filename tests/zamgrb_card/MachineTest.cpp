#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimMachine.h"

using simtest::SimMachine;

namespace {

struct Listed {
    uint64_t id;
    std::string location;
};

std::vector<Listed> enumerate() {
    std::vector<Listed> out;
    void* e = nullptr;
    EXPECT_EQ(BeginCardEnum(&e), 0u);
    CardInfo info{};
    info.size = sizeof info;
    while (NextCard(e, &info) == 0)
        out.push_back({info.cardId, info.location});
    EndCardEnum(e);
    return out;
}

TEST(Machine, ThreeCardsOneOfWhichCannotBeOpened) {
    SimMachine m(R"({"cards": [
        {"id": "0x10", "location": "slot A"},
        {"id": 17, "location": "slot B", "openable": false},
        {"id": "0x12", "location": "slot C", "firmware": "0.1.9.0", "firmwareImage": "factory",
         "fullDeca": false, "link": {"lanes": 1, "speedCode": 1, "maxPayload": 128}}]})");
    const auto cards = enumerate();
    ASSERT_EQ(cards.size(), 3u);
    EXPECT_EQ(cards[0].location, "slot A");
    EXPECT_EQ(cards[1].id, 17u);
    EXPECT_EQ(cards[2].id, 0x12u);

    const uint64_t a = OpenCard(0x10, 0), b = OpenCard(17, 0), c = OpenCard(0x12, 0);
    EXPECT_NE(a, 0u);
    EXPECT_EQ(b, 0u) << "a card that cannot be opened";
    ASSERT_NE(c, 0u);
    uint32_t firmware = 0, image = 0, lanes = 0, speed = 0, requested = 0, payload = 0;
    EXPECT_EQ(GetVersions(c, nullptr, nullptr, nullptr, nullptr, &firmware), 0u);
    EXPECT_EQ(firmware, 0x00010900u);
    EXPECT_EQ(GetFirmwareImage(c, &image), 0u);
    EXPECT_EQ(image, 15u);
    EXPECT_EQ(QueryCapability(c, ZAMGRB_CAP_FULL_DECA), 254u);
    EXPECT_EQ(QueryCapability(a, ZAMGRB_CAP_FULL_DECA), 0u);
    EXPECT_EQ(GetLinkInfo(c, &lanes, &speed, &requested, &payload), 0u);
    EXPECT_EQ(lanes, 1u);
    EXPECT_EQ(speed, 1u);
    EXPECT_EQ(payload, 128u);
    EXPECT_EQ(OpenDefaultCard() != 0, true);
    CloseCard(a);
    CloseCard(c);
}

TEST(Machine, TheBuiltInMachineShowsPicturesAtOnce) {
    simtest::OwnedChannel ch(0);
    ASSERT_EQ(ch.openStatus, 0u);
    uint32_t online = 0, clocks = 0, lines = 0;
    EXPECT_EQ(GetCameraStatus(ch.card, 0, &online), 0u);
    EXPECT_EQ(online, 1u);
    EXPECT_EQ(GetCameraStatus(ch.card, 1, &online), 0u);
    EXPECT_EQ(online, 1u) << "the Bayer camera of channel 2";
    EXPECT_EQ(MeasureSignal(ch.card, 0, &clocks, &lines), 0u);
    EXPECT_EQ(clocks, 800u);
    EXPECT_EQ(lines, 525u);
    GrabStatistics st{};
    EXPECT_EQ(GetStatistics(ch.card, 0, &st), 0u);
    EXPECT_EQ(st.cameraFrameRate, 30u);
}

// A malformed description is reported once, with where it goes wrong, and the
// built-in machine is used.
TEST(Machine, MalformedDescriptions) {
    const std::pair<const char*, const char*> cases[] = {
        // description, position in the message
        {"{\"cards\": [\n  {\"id\": 1,, }\n]}", "line 2, column 12"},
        {R"({"cards": [{"locaton": "x"}]})", "/cards/0/locaton"},
        {R"({"cards": [{"openable": "yes"}]})", "/cards/0/openable"},
        {R"({"cards": [{"channels": [{"camera": {"bitDepth": 40}}]}]})",
         "/cards/0/channels/0/camera/bitDepth"},
        {R"({"cards": [{"channels": [{"camera": {"tapFormat": 10, "width": {"valid": 642}}}]}]})",
         "/cards/0/channels/0/camera"},
        {"", "line 1, column 1"},
        {R"({"cards": [{"bufferMemory": 1e400}]})", "line 1, column 33: number overflow"},
        {R"({"cards": [{"id": 5}, {"id": 5}]})", "/cards/1/id"},
        {R"({"cards": [{"id": "-1"}]})", "/cards/0/id"},
        {R"({"cards": [{"bufferMemory": " 4096"}]})", "/cards/0/bufferMemory"},
    };
    for (const auto& [json, position] : cases) {
        SCOPED_TRACE(position);
        ::testing::internal::CaptureStderr();
        SimMachine m(json);
        EXPECT_EQ(enumerate().size(), 1u);  // loads the description
        enumerate();
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(m.path()), std::string::npos) << err;
        EXPECT_NE(err.find(position), std::string::npos) << err;
        EXPECT_EQ(err.find("zamgrb"), err.rfind("zamgrb: ")) << "reported once: " << err;
        simtest::OwnedChannel ch(0);
        EXPECT_EQ(ch.openStatus, 0u);
    }
}

}  // namespace
