// Releasing a channel (CloseChannel, CloseCard) while other threads use it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "SimMachine.h"

using simtest::OwnedChannel;
using simtest::SimMachine;

namespace {

// A small camera at the default frame rate: cheap to configure again and again.
const char* kSmallCamera =
    R"("source": "ramp", "width": {"valid": 8, "post": 0}, "height": {"valid": 2, "post": 0})";

void ignoreFrame(void*, const FrameInfo*) {}

// Runs both at the same instant, as near as two threads allow.
void race(const std::function<void()>& a, const std::function<void()>& b) {
    std::atomic<int> ready{0};
    auto run = [&](const std::function<void()>& f) {
        ready.fetch_add(1);
        while (ready.load() < 2) {
        }
        f();
    };
    std::thread first(run, std::cref(a));
    std::thread second(run, std::cref(b));
    first.join();
    second.join();
}

struct RaceCase {
    const char* name;
    // The operation that races CloseChannel; it needs the channel owned.
    void (*racer)(uint64_t card, const CameraConfig& config);
    // What a new owner finds afterwards: 0 when the released channel was left clean.
    uint32_t (*leftBehind)(uint64_t card, const CameraConfig& config);
};

class ReleaseRace : public testing::TestWithParam<RaceCase> {};

// Whichever thread wins, the released channel neither grabs nor keeps a configuration.
TEST_P(ReleaseRace, LeavesNothingBehind) {
    SimMachine m(simtest::oneCamera(kSmallCamera));
    const CameraConfig config = simtest::configFor(8, 2, 8);
    const uint64_t card = OpenDefaultCard();
    const uint64_t next = OpenDefaultCard();
    for (int round = 0; round < 1000; ++round) {
        ASSERT_EQ(OpenChannel(card, 0), 0u);
        ASSERT_EQ(ConfigureChannel(card, 0, &config), 0u);
        race([&] { GetParam().racer(card, config); }, [&] { CloseChannel(card, 0); });
        ASSERT_EQ(OpenChannel(next, 0), 0u) << "round " << round;
        ASSERT_EQ(GetParam().leftBehind(next, config), 0u) << "round " << round;
        ASSERT_EQ(CloseChannel(next, 0), 0u);
    }
    CloseCard(next);
    CloseCard(card);
}

INSTANTIATE_TEST_SUITE_P(
    Release, ReleaseRace,
    testing::Values(
        // A grab started on a released channel could not be stopped by anyone.
        RaceCase{
            "StartGrab",
            [](uint64_t card, const CameraConfig&) { StartGrab(card, 0, 1, ignoreFrame, nullptr); },
            [](uint64_t card, const CameraConfig& config) { return ConfigureChannel(card, 0, &config); }},
        RaceCase{"ConfigureChannel",
                 [](uint64_t card, const CameraConfig& config) { ConfigureChannel(card, 0, &config); },
                 [](uint64_t card, const CameraConfig&) {
                     const uint32_t status = StartGrab(card, 0, 1, ignoreFrame, nullptr);
                     StopGrab(card, 0);
                     return status == ZAMGRB_FAILED ? 0u : status + 100;
                 }}),
    [](const testing::TestParamInfo<RaceCase>& info) { return std::string(info.param.name); });

}  // namespace
