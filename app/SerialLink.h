// The open channel's serial port while the terminal is shown, and the reader
// thread (ThreadReadUART) that hands what the camera sends to a sink. The port
// is open exactly while a reader was started and not yet closed; closing ends
// the reader before the port closes.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace app {

class SerialLink {
public:
    // Called on the reader thread for every chunk read.
    using Sink = std::function<void(const uint8_t* bytes, uint32_t count)>;
    // The channel open now; the reader ends when it is no longer the one it read.
    using OpenChannel = std::function<uint8_t()>;

    static constexpr uint32_t kChunkBytes = 80;
    static constexpr uint32_t kReadTimeoutMs = 100;

    SerialLink() = default;
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;
    ~SerialLink() { Close(); }

    // Opens the channel's port and starts the reader; the library status.
    uint32_t Open(uint64_t card, uint8_t channel, Sink sink, OpenChannel openChannel);
    // Stops the reader, waits for it, closes the port. Nothing when not open.
    void Close();
    bool IsOpen() const { return reader_.joinable(); }
    // Whether the reader still runs; it ends by itself when the channel changes.
    bool IsReading() const { return IsOpen() && !finished_.load(); }
    uint64_t card() const { return card_; }
    uint8_t channel() const { return channel_; }

private:
    void ThreadReadUART(Sink sink, OpenChannel openChannel);
    // Waits up to the time-out for the stop request; true when it came.
    bool waitForStop(uint32_t timeoutMs);

    uint64_t card_ = 0;
    uint8_t channel_ = 0;
    std::mutex stopMutex_;
    std::condition_variable stopChanged_;
    bool stop_ = false;  // the manual-reset stop event
    std::atomic<bool> finished_{false};
    std::thread reader_;
};

}  // namespace app
