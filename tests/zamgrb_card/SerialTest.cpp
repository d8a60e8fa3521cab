#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "SimMachine.h"

using simtest::FrameLog;
using simtest::OwnedChannel;
using simtest::SimMachine;

namespace {

std::string ask(uint64_t card, const std::string& command) {
    EXPECT_EQ(WriteSerial(card, 0, command.data(), uint32_t(command.size()), 0), 0u);
    std::string reply;
    while (reply.size() < 2 || reply.compare(reply.size() - 2, 2, "\r\n") != 0) {
        char buffer[8];
        uint32_t count = sizeof buffer;
        if (ReadSerial(card, 0, buffer, &count, 500) != 0 || count == 0)
            break;
        reply.append(buffer, count);
    }
    return reply;
}

TEST(Serial, CommandsRoundTrip) {
    OwnedChannel ch;
    EXPECT_NE(WriteSerial(ch.card, 0, "x", 1, 0), 0u) << "port not open";
    ASSERT_EQ(OpenSerialPort(ch.card, 0), 0u);
    EXPECT_NE(OpenSerialPort(ch.card, 0), 0u) << "already open";

    struct Exchange {
        const char* command;
        const char* reply;
    };
    const Exchange table[] = {
        {"EXP?\r", "100\r\n"},        {"exp 40\r\n", "OK\r\n"},
        {"EXP?\n", "40\r\n"},         {"EXP 101\r", "ERR exposure 0 to 100\r\n"},
        {"EXP 100\r", "OK\r\n"},      {"EXP 0\r", "OK\r\n"},
        {"FP 100000000\r", "OK\r\n"}, {"FP 100000001\r", "ERR frame period 0 to 100000000 us\r\n"},
        {"FP 50000\r", "OK\r\n"},     {"FP?\r", "50000\r\n"},
        {"TP RAMP\r", "OK\r\n"},      {"TP?\r", "RAMP\r\n"},
        {"TRIG?\r", "OFF\r\n"},       {"BOGUS 1\r", "ERR unknown command BOGUS\r\n"},
    };
    for (const Exchange& e : table)
        EXPECT_EQ(ask(ch.card, e.command), e.reply) << e.command;
    const std::string help = ask(ch.card, "HELP\r");
    for (const char* word : {"FP", "EXP", "TP", "TRIG", "ID?"})
        EXPECT_NE(help.find(word), std::string::npos);

    // The camera now runs at 20 frames per second.
    GrabStatistics st{};
    ASSERT_EQ(GetStatistics(ch.card, 0, &st), 0u);
    EXPECT_EQ(st.cameraFrameRate, 20u);

    uint32_t baud = 0;
    EXPECT_EQ(GetBaudRate(ch.card, 0, &baud), 0u);
    EXPECT_EQ(baud, 9600u);
    EXPECT_EQ(SetBaudRate(ch.card, 0, 115200), 0u);
    EXPECT_NE(SetBaudRate(ch.card, 0, 12345), 0u);
    EXPECT_EQ(GetBaudRate(ch.card, 0, &baud), 0u);
    EXPECT_EQ(baud, 115200u);
    EXPECT_EQ(CloseSerialPort(ch.card, 0), 0u);
}

TEST(Serial, ExposureDimsThePicture) {
    SimMachine m(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 5000,
        "width": {"valid": 16, "post": 0}, "height": {"valid": 2, "post": 0})"));
    OwnedChannel ch;
    ASSERT_EQ(OpenSerialPort(ch.card, 0), 0u);
    ASSERT_EQ(ask(ch.card, "EXP 50\r"), "OK\r\n");
    const CameraConfig config = simtest::configFor(16, 2, 8);
    ASSERT_EQ(ConfigureChannel(ch.card, 0, &config), 0u);
    FrameLog log;
    ASSERT_EQ(StartGrab(ch.card, 0, 1, FrameLog::callback, &log), 0u);
    log.waitFor(1);
    StopGrab(ch.card, 0);
    const auto& f = log.frames.at(0);
    for (uint32_t x = 0; x < 16; ++x)
        EXPECT_EQ(f.bytes[x], ((x + f.frameNumber) & 255) / 2);
}

TEST(Serial, ReadHonoursItsTimeOut) {
    OwnedChannel ch;
    ASSERT_EQ(OpenSerialPort(ch.card, 0), 0u);
    for (uint32_t timeout : {0u, 50u, 150u}) {
        char buffer[16];
        uint32_t count = sizeof buffer;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ReadSerial(ch.card, 0, buffer, &count, timeout), 0u);
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(count, 0u);
        EXPECT_GE(waited, std::chrono::milliseconds(timeout));
        EXPECT_LT(waited, std::chrono::milliseconds(timeout + 500));
    }
    // A reply waiting is read at once, no more than the capacity at a time.
    ASSERT_EQ(WriteSerial(ch.card, 0, "TRIG?\r", 6, 0), 0u);
    char two[2];
    uint32_t count = 2;
    EXPECT_EQ(ReadSerial(ch.card, 0, two, &count, 1000), 0u);
    EXPECT_EQ(std::string(two, count), "OF");
}

// Every way of closing the port wakes a reader that waits with a long time-out.
struct Closer {
    const char* name;
    uint32_t (*close)(uint64_t card);
};

class SerialClose : public testing::TestWithParam<Closer> {};

TEST_P(SerialClose, WakesAWaitingReader) {
    OwnedChannel ch;
    ASSERT_EQ(OpenSerialPort(ch.card, 0), 0u);
    std::atomic<bool> waiting{false};
    uint32_t status = 0;
    std::thread reader([&] {
        char buffer[4];
        uint32_t count = sizeof buffer;
        waiting = true;
        status = ReadSerial(ch.card, 0, buffer, &count, 30000);
    });
    while (!waiting.load())
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(GetParam().close(ch.card), 0u);
    reader.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15)) << "the reader slept on";
    EXPECT_EQ(status, uint32_t(ZAMGRB_FAILED));
}

INSTANTIATE_TEST_SUITE_P(
    Serial, SerialClose,
    testing::Values(Closer{"CloseSerialPort", [](uint64_t card) { return CloseSerialPort(card, 0); }},
                    Closer{"CloseChannel", [](uint64_t card) { return CloseChannel(card, 0); }},
                    Closer{"CloseCard",
                           [](uint64_t card) {
                               CloseCard(card);
                               return 0u;
                           }}),
    [](const testing::TestParamInfo<Closer>& info) { return std::string(info.param.name); });

}  // namespace
