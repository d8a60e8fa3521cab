#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "SimMachine.h"

using simtest::OwnedChannel;
using simtest::SimMachine;

namespace {

// The owner helper in a second process; reports whether it owns the channel.
class OtherProcess {
public:
    explicit OtherProcess(uint8_t channel) {
        int in[2], out[2];
        EXPECT_EQ(pipe(in), 0);
        EXPECT_EQ(pipe(out), 0);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], STDIN_FILENO);
            dup2(out[1], STDOUT_FILENO);
            close(in[1]);
            close(out[0]);
            const std::string arg = std::to_string(channel);
            execl(ZAMGRB_OWNER_HELPER, ZAMGRB_OWNER_HELPER, arg.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        stdin_ = in[1];
        stdout_ = out[0];
        char buffer[16] = {};
        ssize_t n = read(stdout_, buffer, sizeof buffer - 1);
        reply_ = n > 0 ? std::string(buffer, size_t(n)) : "";
    }
    ~OtherProcess() {
        close(stdin_);  // a live helper ends on end of input
        close(stdout_);
        if (pid_ > 0)
            waitpid(pid_, nullptr, 0);
    }
    bool owns() const { return reply_ == "owned\n"; }
    void kill9() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int stdin_ = -1, stdout_ = -1;
    std::string reply_;
};

TEST(Ownership, AChannelBelongsToOneProcessAtATime) {
    OtherProcess other(0);
    ASSERT_TRUE(other.owns());
    OwnedChannel mine(0);
    EXPECT_NE(mine.openStatus, 0u) << "owned by the other process";
    EXPECT_EQ(OpenChannel(mine.card, 1), 0u) << "the other channel is free";
    OtherProcess third(1);
    EXPECT_FALSE(third.owns());
}

TEST(Ownership, AKilledOwnerReleasesItsChannel) {
    OtherProcess other(0);
    ASSERT_TRUE(other.owns());
    const uint64_t card = OpenDefaultCard();
    EXPECT_NE(OpenChannel(card, 0), 0u);
    other.kill9();
    EXPECT_EQ(OpenChannel(card, 0), 0u);
    CloseCard(card);
}

TEST(Ownership, HandlesOfOneProcessDoNotShareAChannel) {
    OwnedChannel first(0);
    ASSERT_EQ(first.openStatus, 0u);
    const uint64_t second = OpenDefaultCard();
    EXPECT_NE(OpenChannel(second, 0), 0u);
    EXPECT_NE(ConfigureChannel(second, 0, nullptr), 0u);
    EXPECT_EQ(OpenChannel(first.card, 0), 0u) << "re-opening through the owner is harmless";
    EXPECT_EQ(CloseChannel(first.card, 0), 0u);
    EXPECT_EQ(OpenChannel(second, 0), 0u);
    CloseCard(second);
    EXPECT_EQ(OpenChannel(first.card, 0), 0u) << "closing the card released the channel";
}

TEST(Ownership, ALockThatCannotBeCreatedIsAFailureNotBusy) {
    const std::string saved = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    const uint64_t card = OpenDefaultCard();
    setenv("XDG_RUNTIME_DIR", "/nonexistent-zamgrb-runtime/folder", 1);
    const uint32_t missing = OpenChannel(card, 0);
    setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    EXPECT_EQ(missing, uint32_t(ZAMGRB_FAILED)) << "nobody owns the channel";
    EXPECT_EQ(OpenChannel(card, 0), 0u) << "nothing was left half-taken";
    CloseCard(card);
}

TEST(Ownership, ChannelsOwnedByAnotherProgram) {
    SimMachine m(R"({"cards": [{"channels": [{"ownedByOtherProgram": true}, {}]}]})");
    const uint64_t card = OpenDefaultCard();
    EXPECT_NE(OpenChannel(card, 0), 0u);
    ASSERT_EQ(OpenChannel(card, 1), 0u);
    uint32_t online = 1;
    EXPECT_EQ(GetCameraStatus(card, 1, &online), 0u);
    EXPECT_EQ(online, 0u) << "no camera on that channel";
    CloseCard(card);
}

// The id of the machine's first card, 0 when it lists none.
uint64_t firstCardId() {
    void* e = nullptr;
    if (BeginCardEnum(&e) != 0u)
        return 0;
    CardInfo info{};
    info.size = sizeof info;
    const uint32_t status = NextCard(e, &info);
    EndCardEnum(e);
    return status == 0u ? info.cardId : 0;
}

TEST(Aliases, PersistAcrossAReloadOfTheLibraryState) {
    const uint64_t cardId = firstCardId();
    ASSERT_NE(cardId, 0u);

    const std::u16string alias = u"Left camera \u00e9\u4e2d";
    ASSERT_EQ(SetCardAlias(cardId, alias.c_str(), 1), 0u);
    ASSERT_EQ(SetCardAlias(cardId, u"only for now", 0), 0u);
    ZamgrbSimReload();

    uint32_t count = 99;
    ASSERT_EQ(GetCardAlias(cardId, nullptr, &count), 0u);
    EXPECT_EQ(count, alias.size()) << "the unstored alias is gone, the stored one stays";
    std::u16string buffer(count + 1, u'x');
    uint32_t capacity = count + 1;
    ASSERT_EQ(GetCardAlias(cardId, buffer.data(), &capacity), 0u);
    EXPECT_EQ(capacity, alias.size());
    EXPECT_EQ(std::u16string(buffer.c_str()), alias);

    const uint64_t card = OpenCard(cardId, 0);
    count = 0;
    EXPECT_EQ(GetOpenCardAlias(card, nullptr, &count), 0u);
    EXPECT_EQ(count, alias.size());
    uint32_t small = 3;
    EXPECT_NE(GetOpenCardAlias(card, buffer.data(), &small), 0u) << "too small a buffer";
    EXPECT_EQ(small, alias.size());
    CloseCard(card);
    EXPECT_NE(SetCardAlias(0xBAD, u"x", 1), 0u);
}

struct AliasCase {
    const char* name;
    const char16_t* stored;   // u"" stores none
    const char16_t* session;  // null: none set for this process
    const char16_t* shown;    // null: no alias
};

void PrintTo(const AliasCase& value, std::ostream* os) {
    *os << value.name;
}

class AliasShown : public ::testing::TestWithParam<AliasCase> {};

// What GetCardAlias shows for the stored and the session alias together.
TEST_P(AliasShown, ThroughABuffer) {
    const AliasCase& c = GetParam();
    ZamgrbSimReload();  // no session alias left from another case
    const uint64_t cardId = firstCardId();
    ASSERT_NE(cardId, 0u);
    ASSERT_EQ(SetCardAlias(cardId, c.stored, 1), 0u);
    if (c.session) {
        ASSERT_EQ(SetCardAlias(cardId, c.session, 0), 0u);
    }

    char16_t buffer[32] = {u'x'};
    uint32_t count = 32;
    const uint32_t status = GetCardAlias(cardId, buffer, &count);
    if (!c.shown) {
        EXPECT_EQ(status, uint32_t(ZAMGRB_FAILED)) << "no alias";
        EXPECT_EQ(count, 0u);
        return;
    }
    ASSERT_EQ(status, 0u);
    EXPECT_EQ(std::u16string(buffer, count), std::u16string(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Aliases, AliasShown,
                         ::testing::Values(AliasCase{"StoredOnly", u"Stored", nullptr, u"Stored"},
                                           AliasCase{"SessionAheadOfStored", u"Stored", u"Now", u"Now"},
                                           AliasCase{"EmptySessionShowsTheStored", u"Stored", u"", u"Stored"},
                                           AliasCase{"EmptySessionAndNoneStored", u"", u"", nullptr},
                                           AliasCase{"EmptyStored", u"", nullptr, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

// The Camera Link port rule: above 24 bits per clock a configuration needs channel 2's port.
TEST(PortRule, MediumModeNeedsTheSecondPort) {
    const CameraConfig base = simtest::configFor(640, 480, 8, 3);      // 2 taps x 8 bits = 16
    const CameraConfig medium = simtest::configFor(640, 480, 12, 10);  // 4 taps x 12 bits = 48
    {
        OwnedChannel ch2(1);
        ASSERT_EQ(ch2.openStatus, 0u);
        EXPECT_EQ(ConfigureChannel(ch2.card, 1, &base), 0u);
        EXPECT_EQ(ConfigureChannel(ch2.card, 1, &medium), uint32_t(ZAMGRB_BUSY)) << "channel 2 never";
        OwnedChannel ch1(0);  // another handle of this process
        EXPECT_EQ(ConfigureChannel(ch1.card, 0, &medium), uint32_t(ZAMGRB_BUSY)) << "channel 2 owned here";
    }
    {
        OtherProcess other(1);
        ASSERT_TRUE(other.owns());
        OwnedChannel ch1(0);
        EXPECT_EQ(ConfigureChannel(ch1.card, 0, &medium), uint32_t(ZAMGRB_BUSY))
            << "channel 2 owned elsewhere";
    }
    OwnedChannel ch1(0);
    EXPECT_EQ(ConfigureChannel(ch1.card, 0, &medium), 0u) << "channel 2 free";
}

// Channel 1's port rule asks whether channel 2 is owned; asking must never make
// channel 2 busy for someone opening it at that moment.
TEST(PortRule, AskingAboutTheSecondPortNeverTakesIt) {
    const CameraConfig medium = simtest::configFor(40, 8, 12, 10);  // 4 taps x 12 bits
    OwnedChannel ch1(0);
    ASSERT_EQ(ch1.openStatus, 0u);
    ASSERT_EQ(ZamgrbSimSetCameraConnected(ch1.card, 0, 0), 0u)
        << "no frames to render: ask as often as possible";
    std::atomic<bool> stop{false};
    std::atomic<uint64_t> asked{0};
    std::thread prober([&] {
        while (!stop) {
            ConfigureChannel(ch1.card, 0, &medium);
            ++asked;
        }
    });
    while (asked == 0)
        std::this_thread::yield();
    const uint64_t other = OpenDefaultCard();
    uint32_t busy = 0;
    for (int i = 0; i < 5000; ++i) {
        if (OpenChannel(other, 1) != 0u) {
            ++busy;
            continue;
        }
        CloseChannel(other, 1);
    }
    stop = true;
    prober.join();
    CloseCard(other);
    ZamgrbSimSetCameraConnected(ch1.card, 0, 1);
    EXPECT_EQ(busy, 0u) << "of 5000 openings of a free channel, while asked " << asked << " times";
}

struct Refusal {
    const char* name;
    CameraConfig config;
    const char* machine;  // empty: the built-in one
};

void PrintTo(const Refusal& value, std::ostream* os) {
    *os << value.name;
}

class ConfigurationRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(ConfigurationRefused, WithANonZeroStatus) {
    std::unique_ptr<SimMachine> m;
    if (*GetParam().machine)
        m = std::make_unique<SimMachine>(GetParam().machine);
    OwnedChannel ch(0);
    ASSERT_EQ(ch.openStatus, 0u);
    EXPECT_EQ(ConfigureChannel(ch.card, 0, &GetParam().config), uint32_t(ZAMGRB_NOT_SUPPORTED));
}

CameraConfig withSize(uint32_t w, uint32_t h) {
    return simtest::configFor(w, h, 8);
}

INSTANTIATE_TEST_SUITE_P(
    PortRule, ConfigurationRefused,
    ::testing::Values(Refusal{"ZeroWidth", withSize(0, 480), ""}, Refusal{"ZeroHeight", withSize(640, 0), ""},
                      Refusal{"WidthNotMultipleOfTaps", simtest::configFor(642, 480, 8, 10), ""},
                      Refusal{"MoreThan80Bits", simtest::configFor(640, 480, 12, 17), ""},    // 8 x 12 = 96
                      Refusal{"FullWithoutCapability", simtest::configFor(640, 480, 16, 10),  // 64 bits
                              R"({"cards": [{"fullDeca": false}]})"},
                      Refusal{"DecaWithoutCapability", simtest::configFor(640, 480, 8, 18),  // 80 bits
                              R"({"cards": [{"fullDeca": false}]})"},
                      // Depths the card cannot store once crashed the frame renderer.
                      Refusal{"DepthNine", simtest::configFor(640, 480, 9, 1), ""},
                      Refusal{"DepthTwenty", simtest::configFor(640, 480, 20, 1), ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
