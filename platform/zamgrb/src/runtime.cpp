#include "runtime.h"

#include <map>

#include "cards.h"
#include "grab.h"

namespace zamgrb {

namespace {

std::mutex registryMutex;
std::map<uint64_t, std::unique_ptr<CardRuntime>> registry;  // by card id

}  // namespace

CardRuntime& runtimeOf(const SimCard& card) {
    std::lock_guard lock(registryMutex);
    std::unique_ptr<CardRuntime>& slot = registry[card.id];
    if (!slot) {
        slot = std::make_unique<CardRuntime>();
        for (uint8_t i = 0; i < 2; ++i) {
            ChannelRuntime& ch = slot->channels[i];
            ch.card = &card;
            ch.index = i;
            ch.connected = card.channels[i].camera.has_value();
            if (ch.connected)
                ch.camera = *card.channels[i].camera;
        }
    }
    return *slot;
}

uint32_t resolve(uint64_t handle, uint8_t channel, ChannelRef& out) {
    const SimCard* card = cardOf(handle);
    if (!card)
        return ZAMGRB_NO_CARD;
    if (channel > 1)
        return ZAMGRB_INVALID_ARGUMENT;
    out.handle = handle;
    out.card = card;
    out.runtime = &runtimeOf(*card);
    out.channel = &out.runtime->channels[channel];
    return ZAMGRB_OK;
}

uint32_t stillOwned(const ChannelRef& ref) {
    std::lock_guard lock(ref.channel->mutex);
    return ref.channel->owner == ref.handle ? ZAMGRB_OK : ZAMGRB_BUSY;
}

uint32_t resolveOwned(uint64_t handle, uint8_t channel, ChannelRef& out) {
    if (uint32_t status = resolve(handle, channel, out))
        return status;
    return stillOwned(out);
}

void releaseChannel(ChannelRuntime& channel) {
    stopGrab(channel);
    {
        std::lock_guard lock(channel.mutex);
        SerialPort closed;
        closed.baudRate = channel.serial.baudRate;
        channel.serial = closed;
        // The next owner configures the channel itself; StartGrab answers 1 until then.
        channel.config.reset();
        channel.renderer.reset();
        channel.owner = 0;
        channel.lock.reset();
    }
    channel.serialReadable.notify_all();  // a waiting reader returns at once
}

void releaseHandle(uint64_t handle) {
    const SimCard* card = cardOf(handle);
    if (!card)
        return;
    CardRuntime& rt = runtimeOf(*card);
    for (uint8_t i = 0; i < 2; ++i) {
        ChannelRuntime& ch = rt.channels[i];
        std::lock_guard control(ch.control);
        bool owned;
        {
            std::lock_guard lock(ch.mutex);
            owned = ch.owner == handle;
        }
        if (owned) {
            rt.pulses.enable(i, false);
            releaseChannel(ch);
        }
    }
}

void resetRuntimes() {
    std::lock_guard lock(registryMutex);
    registry.clear();
}

}  // namespace zamgrb
