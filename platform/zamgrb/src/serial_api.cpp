// The serial port of a channel.
#include <algorithm>
#include <chrono>

#include "runtime.h"

using namespace zamgrb;

namespace {

// The channel must be owned here and its port open.
uint32_t openPort(uint64_t card, uint8_t channel, ChannelRef& ref) {
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    std::lock_guard lock(ref.channel->mutex);
    if (ref.channel->owner != card)
        return ZAMGRB_BUSY;  // released meanwhile
    return ref.channel->serial.open ? ZAMGRB_OK : ZAMGRB_FAILED;
}

}  // namespace

uint32_t OpenSerialPort(uint64_t card, uint8_t channel) {
    ChannelRef ref;
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    std::lock_guard lock(ref.channel->mutex);
    SerialPort& port = ref.channel->serial;
    if (port.open || ref.channel->owner != card)
        return ZAMGRB_BUSY;  // open already, or released meanwhile
    port.open = true;
    port.received.clear();
    port.line.clear();
    return ZAMGRB_OK;
}

uint32_t CloseSerialPort(uint64_t card, uint8_t channel) {
    ChannelRef ref;
    if (uint32_t status = openPort(card, channel, ref))
        return status;
    {
        std::lock_guard lock(ref.channel->mutex);
        ref.channel->serial.open = false;
    }
    ref.channel->serialReadable.notify_all();  // a waiting reader returns at once
    return ZAMGRB_OK;
}

uint32_t GetBaudRate(uint64_t card, uint8_t channel, uint32_t* baudRate) {
    ChannelRef ref;
    if (uint32_t status = openPort(card, channel, ref))
        return status;
    if (!baudRate)
        return ZAMGRB_INVALID_ARGUMENT;
    std::lock_guard lock(ref.channel->mutex);
    *baudRate = ref.channel->serial.baudRate;
    return ZAMGRB_OK;
}

uint32_t SetBaudRate(uint64_t card, uint8_t channel, uint32_t baudRate) {
    ChannelRef ref;
    if (uint32_t status = openPort(card, channel, ref))
        return status;
    if (!validBaudRate(baudRate))
        return ZAMGRB_INVALID_ARGUMENT;
    std::lock_guard lock(ref.channel->mutex);
    ref.channel->serial.baudRate = baudRate;
    return ZAMGRB_OK;
}

uint32_t ReadSerial(uint64_t card, uint8_t channel, void* buffer, uint32_t* count, uint32_t timeoutMs) {
    if (!count)
        return ZAMGRB_INVALID_ARGUMENT;
    const uint32_t capacity = *count;
    *count = 0;
    ChannelRef ref;
    if (uint32_t status = openPort(card, channel, ref))
        return status;
    if (!buffer && capacity)
        return ZAMGRB_INVALID_ARGUMENT;
    ChannelRuntime& ch = *ref.channel;
    std::unique_lock lock(ch.mutex);
    ch.serialReadable.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return !ch.serial.received.empty() || !ch.serial.open; });
    if (!ch.serial.open)
        return ZAMGRB_FAILED;
    auto& rx = ch.serial.received;
    const size_t n = std::min<size_t>(capacity, rx.size());
    std::copy_n(rx.begin(), n, static_cast<uint8_t*>(buffer));
    rx.erase(rx.begin(), rx.begin() + std::ptrdiff_t(n));
    *count = uint32_t(n);
    return ZAMGRB_OK;
}

uint32_t WriteSerial(uint64_t card, uint8_t channel, const void* bytes, uint32_t count, uint32_t) {
    ChannelRef ref;
    if (uint32_t status = openPort(card, channel, ref))
        return status;
    if (!bytes && count)
        return ZAMGRB_INVALID_ARGUMENT;
    ChannelRuntime& ch = *ref.channel;
    {
        std::lock_guard lock(ch.mutex);
        if (!ch.connected)
            return ZAMGRB_OK;  // bytes go out on the cable; nobody answers
        if (cameraHears(ch.serial, ch.camera, static_cast<const uint8_t*>(bytes), count))
            ++ch.cameraVersion;
    }
    ch.serialReadable.notify_all();
    return ZAMGRB_OK;
}
