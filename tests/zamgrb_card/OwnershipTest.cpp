#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <tuple>

#include "SimMachine.h"

using simtest::OwnedChannel;
using simtest::SimMachine;

namespace {

// The owner helper in a second process; reports the status of its OpenChannel.
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
    bool owns() const { return reply_ == "0\n"; }
    std::string reply() const { return reply_; }
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
    EXPECT_EQ(mine.openStatus, uint32_t(ZAMGRB_BUSY)) << "owned by the other process";
    EXPECT_EQ(OpenChannel(mine.card, 1), 0u) << "the other channel is free";
    OtherProcess third(1);
    EXPECT_EQ(third.reply(), std::to_string(ZAMGRB_BUSY) + "\n") << "owned by this process";
}

TEST(Ownership, AKilledOwnerReleasesItsChannel) {
    OtherProcess other(0);
    ASSERT_TRUE(other.owns());
    const uint64_t card = OpenDefaultCard();
    EXPECT_EQ(OpenChannel(card, 0), uint32_t(ZAMGRB_BUSY));
    other.kill9();
    EXPECT_EQ(OpenChannel(card, 0), 0u);
    CloseCard(card);
}

TEST(Ownership, HandlesOfOneProcessDoNotShareAChannel) {
    OwnedChannel first(0);
    ASSERT_EQ(first.openStatus, 0u);
    const uint64_t second = OpenDefaultCard();
    EXPECT_EQ(OpenChannel(second, 0), uint32_t(ZAMGRB_BUSY));
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
    EXPECT_EQ(OpenChannel(card, 0), uint32_t(ZAMGRB_BUSY));
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

// What GetCardAlias shows for the stored and the session alias together.
TEST(Aliases, StoredAndSessionAliasThroughABuffer) {
    struct Case {
        const char16_t* stored;   // u"" stores none
        const char16_t* session;  // null: none set for this process
        const char16_t* shown;    // null: no alias
    };
    for (const Case& c :
         {Case{u"Stored", nullptr, u"Stored"}, Case{u"Stored", u"Now", u"Now"},
          Case{u"Stored", u"", u"Stored"}, Case{u"", u"", nullptr}, Case{u"", nullptr, nullptr}}) {
        SCOPED_TRACE(testing::Message() << "session " << (c.session ? "set" : "none"));
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
        EXPECT_EQ(status, c.shown ? 0u : uint32_t(ZAMGRB_FAILED));
        EXPECT_EQ(std::u16string(buffer, count), std::u16string(c.shown ? c.shown : u""));
    }
}

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
    {
        // A lock file that cannot be opened (here a link to itself) may be anyone's.
        char name[64];
        std::snprintf(name, sizeof name, "/zamgrb-%016llx-channel1.lock", (unsigned long long)firstCardId());
        const std::string lock = std::getenv("XDG_RUNTIME_DIR") + std::string(name);
        unlink(lock.c_str());
        ASSERT_EQ(symlink(lock.c_str(), lock.c_str()), 0);
        OwnedChannel ch1(0);
        EXPECT_EQ(ConfigureChannel(ch1.card, 0, &medium), uint32_t(ZAMGRB_BUSY)) << "channel 2 may be owned";
        unlink(lock.c_str());
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

TEST(PortRule, ConfigurationsRefusedAsNotSupported) {
    const char* const noFullDeca = R"({"cards": [{"fullDeca": false}]})";
    const std::tuple<const char*, CameraConfig, const char*> cases[] = {
        // machine "": the built-in one
        {"zero width", simtest::configFor(0, 480, 8), ""},
        {"zero height", simtest::configFor(640, 0, 8), ""},
        {"width not a multiple of the taps", simtest::configFor(642, 480, 8, 10), ""},
        {"more than 80 bits", simtest::configFor(640, 480, 12, 17), ""},                    // 8 x 12 = 96
        {"Full without the capability", simtest::configFor(640, 480, 16, 10), noFullDeca},  // 64 bits
        {"Deca without the capability", simtest::configFor(640, 480, 8, 18), noFullDeca},   // 80 bits
        // Depths the card cannot store once crashed the frame renderer.
        {"depth 9", simtest::configFor(640, 480, 9, 1), ""},
        {"depth 20", simtest::configFor(640, 480, 20, 1), ""},
    };
    for (const auto& [name, config, machine] : cases) {
        SCOPED_TRACE(name);
        std::unique_ptr<SimMachine> m;
        if (*machine)
            m = std::make_unique<SimMachine>(machine);
        OwnedChannel ch(0);
        ASSERT_EQ(ch.openStatus, 0u);
        EXPECT_EQ(ConfigureChannel(ch.card, 0, &config), uint32_t(ZAMGRB_NOT_SUPPORTED));
    }
}

}  // namespace
