#include "app/SerialLink.h"

#include <pthread.h>

#include <chrono>

#include "grabber/Grabber.h"
#include "log/LogSites.h"

namespace app {

uint32_t SerialLink::Open(uint64_t card, uint8_t channel, Sink sink, OpenChannel openChannel) {
    Close();
    if (const uint32_t status = grabber::OpenSerialPort(card, channel); status != ZAMGRB_OK)
        return status;
    card_ = card;
    channel_ = channel;
    {
        std::lock_guard lock(stopMutex_);
        stop_ = false;
    }
    finished_ = false;
    reader_ = std::thread(&SerialLink::ThreadReadUART, this, std::move(sink), std::move(openChannel));
    return ZAMGRB_OK;
}

void SerialLink::Close() {
    if (!reader_.joinable())
        return;
    {
        std::lock_guard lock(stopMutex_);
        stop_ = true;
    }
    stopChanged_.notify_all();
    reader_.join();
    grabber::CloseSerialPort(card_, channel_);
}

bool SerialLink::waitForStop(uint32_t timeoutMs) {
    std::unique_lock lock(stopMutex_);
    return stopChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return stop_; });
}

void SerialLink::ThreadReadUART(Sink sink, OpenChannel openChannel) {
    pthread_setname_np(pthread_self(), "glintrail-uart");
    logengine::LogUartThread(true);
    uint8_t buffer[kChunkBytes];
    // While bytes flow the next read follows at once, or a fast camera would
    // overrun the port; after an empty or failed read the pause keeps the loop
    // from spinning. Either way a stop is seen within two time-outs.
    uint32_t pauseMs = 0;
    while (openChannel() == channel_) {
        if (waitForStop(pauseMs))
            break;
        uint32_t count = kChunkBytes;
        const bool got =
            grabber::ReadSerial(card_, channel_, buffer, count, kReadTimeoutMs) == ZAMGRB_OK && count > 0;
        if (got)
            sink(buffer, count);
        pauseMs = got ? 0 : kReadTimeoutMs;
    }
    logengine::LogUartThread(false);
    finished_ = true;
}

}  // namespace app
