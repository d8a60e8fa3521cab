// The reader against the software card's camera: what it hands over, how it ends,
// and the port it leaves. Shared state is read while the reader runs.
#include <gtest/gtest.h>

#include <condition_variable>
#include <string>
#include <thread>

#include "app/SerialLink.h"
#include "grabber/Grabber.h"

namespace {

struct Received {
    std::mutex mutex;
    std::condition_variable changed;
    std::string text;

    void add(const uint8_t* bytes, uint32_t count) {
        std::lock_guard lock(mutex);
        text.append(reinterpret_cast<const char*>(bytes), count);
        changed.notify_all();
    }
    // The text once it ends a line after `after`.
    std::string lineAfter(size_t after) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return text.size() > after + 1 && text.ends_with("\r\n"); });
        return text;
    }
};

TEST(SerialLink, ReadsTheCameraUntilClosedOrTheChannelChanges) {
    grabber::CardHandle card = grabber::CardHandle::OpenDefault();
    ASSERT_TRUE(card);
    ASSERT_EQ(grabber::OpenChannel(card.get(), 0), ZAMGRB_OK);
    std::atomic<uint8_t> openChannel{0};
    Received received;
    app::SerialLink link;
    const auto sink = [&](const uint8_t* b, uint32_t n) { received.add(b, n); };
    const auto channel = [&] { return openChannel.load(); };
    ASSERT_EQ(link.Open(card.get(), 0, sink, channel), ZAMGRB_OK);
    EXPECT_EQ(grabber::OpenSerialPort(card.get(), 0), ZAMGRB_BUSY) << "the link holds the port";

    // A reply longer than one chunk comes whole, in order.
    const std::string command = "ID?\rHELP\r";
    grabber::WriteSerial(card.get(), 0, command.data(), uint32_t(command.size()));
    EXPECT_TRUE(link.IsReading());
    const std::string text = received.lineAfter(std::string("Software camera M640\r\n").size());
    EXPECT_EQ(text.rfind("Software camera M640\r\nCOMMANDS: HELP | ID? |", 0), 0u) << text;
    EXPECT_GT(text.size(), app::SerialLink::kChunkBytes);

    // Another channel open: the reader ends by itself and the port stays open
    // until the link is closed.
    openChannel = 1;
    while (link.IsReading())
        std::this_thread::yield();
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(grabber::OpenSerialPort(card.get(), 0), ZAMGRB_BUSY);
    link.Close();
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(grabber::OpenSerialPort(card.get(), 0), ZAMGRB_OK) << "closed with the link";
    EXPECT_EQ(link.Open(card.get(), 0, sink, channel), ZAMGRB_BUSY);
    EXPECT_FALSE(link.IsOpen());
}

}  // namespace
