// The reader with the software card's camera; shared state is read while it runs.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>

#include "app/SerialLink.h"
#include "grabber/Grabber.h"

namespace {

TEST(SerialLink, ReadsTheCameraUntilClosedOrTheChannelChanges) {
    grabber::CardHandle card = grabber::CardHandle::OpenDefault();
    ASSERT_TRUE(card);
    ASSERT_EQ(grabber::OpenChannel(card.get(), 0), ZAMGRB_OK);
    std::atomic<uint8_t> openChannel{0};
    std::mutex mutex;
    std::string received;
    app::SerialLink link;
    const auto sink = [&](const uint8_t* b, uint32_t n) {
        std::lock_guard lock(mutex);
        received.append(reinterpret_cast<const char*>(b), n);
    };
    const auto channel = [&] { return openChannel.load(); };
    ASSERT_EQ(link.Open(card.get(), 0, sink, channel), ZAMGRB_OK);
    EXPECT_EQ(grabber::OpenSerialPort(card.get(), 0), ZAMGRB_BUSY) << "the link holds the port";

    // A reply longer than one chunk comes whole, in order.
    const std::string command = "ID?\rHELP\r";
    grabber::WriteSerial(card.get(), 0, command.data(), uint32_t(command.size()));
    EXPECT_TRUE(link.IsReading());
    const std::string first = "Software camera M640\r\n";
    std::string text;
    while (text.size() <= first.size() || !text.ends_with("\r\n")) {
        std::this_thread::yield();
        std::lock_guard lock(mutex);
        text = received;
    }
    EXPECT_EQ(text.rfind(first + "COMMANDS: HELP | ID? |", 0), 0u) << text;
    EXPECT_GT(text.size(), app::SerialLink::kChunkBytes);

    // Another channel open: the reader ends by itself and the port stays open
    // until the link is closed.
    openChannel = 1;
    while (link.IsReading())
        std::this_thread::yield();
    EXPECT_EQ(grabber::OpenSerialPort(card.get(), 0), ZAMGRB_BUSY);
    link.Close();
    EXPECT_EQ(grabber::OpenSerialPort(card.get(), 0), ZAMGRB_OK) << "closed with the link";
    EXPECT_EQ(link.Open(card.get(), 0, sink, channel), ZAMGRB_BUSY);
    EXPECT_FALSE(link.IsOpen());
}

}  // namespace
