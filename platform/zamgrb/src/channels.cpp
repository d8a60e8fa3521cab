// Channel ownership, configuration, camera status and signal measurement.
#include <new>

#include "config_rules.h"
#include "grab.h"
#include "renderer.h"
#include "runtime.h"

using namespace zamgrb;

namespace {

// Owned by anyone: a handle of this process, another process, or another program.
bool channelOwned(const ChannelRef& ref, uint8_t channel) {
    if (ref.card->channels[channel].ownedByOtherProgram)
        return true;
    ChannelRuntime& ch = ref.runtime->channels[channel];
    {
        std::lock_guard lock(ch.mutex);
        if (ch.owner != 0)
            return true;
    }
    return channelLockHeld(ref.card->id, channel);
}

}  // namespace

uint32_t OpenChannel(uint64_t card, uint8_t channel) {
    ChannelRef ref;
    if (uint32_t status = resolve(card, channel, ref))
        return status;
    if (ref.card->channels[channel].ownedByOtherProgram)
        return ZAMGRB_BUSY;
    ChannelRuntime& ch = *ref.channel;
    std::lock_guard control(ch.control);
    {
        std::lock_guard lock(ch.mutex);
        if (ch.owner == card)
            return ZAMGRB_OK;
        if (ch.owner != 0)
            return ZAMGRB_BUSY;
    }
    std::optional<ChannelLock> lock;
    switch (ChannelLock::tryAcquire(ref.card->id, channel, lock)) {
        case ChannelLock::Outcome::Taken:
            break;
        case ChannelLock::Outcome::Busy:
            return ZAMGRB_BUSY;
        case ChannelLock::Outcome::Unavailable:
            return ZAMGRB_FAILED;  // nobody owns it, but it cannot be taken here
    }
    std::lock_guard guard(ch.mutex);
    ch.lock = std::move(lock);
    ch.owner = card;
    return ZAMGRB_OK;
}

uint32_t CloseChannel(uint64_t card, uint8_t channel) {
    ChannelRef ref;
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    std::lock_guard control(ref.channel->control);
    if (uint32_t status = stillOwned(ref))
        return status;
    ref.runtime->pulses.enable(channel, false);
    releaseChannel(*ref.channel);
    return ZAMGRB_OK;
}

uint32_t ConfigureChannel(uint64_t card, uint8_t channel, const CameraConfig* config) {
    ChannelRef ref;
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    if (!config)
        return ZAMGRB_INVALID_ARGUMENT;
    if (uint32_t status = checkConfiguration(*ref.card, channel, *config, channelOwned(ref, channel ^ 1)))
        return status;
    ChannelRuntime& ch = *ref.channel;
    std::lock_guard control(ch.control);
    if (uint32_t status = stillOwned(ref))
        return status;
    if (ch.grab)
        return ZAMGRB_BUSY;  // the frames of a running grab keep their size
    SimCamera camera;
    uint64_t version;
    bool connected;
    {
        std::lock_guard lock(ch.mutex);
        ch.config = *config;
        ch.renderer.reset();
        camera = ch.camera;
        version = ch.cameraVersion;
        connected = ch.connected;
    }
    // Rendered now so that StartGrab delivers its first frame without delay. A frame
    // too large for memory is accepted here; StartGrab then answers 4.
    if (connected && rawFrameBytes(*config) * kImageBuffers <= ref.card->bufferMemory) {
        try {
            auto renderer = std::make_shared<FrameRenderer>(camera, *config);
            renderer->prepare();
            std::lock_guard lock(ch.mutex);
            ch.renderer = renderer;
            ch.rendererVersion = version;
        } catch (const std::bad_alloc&) {
        }
    }
    return ZAMGRB_OK;
}

uint32_t GetCameraStatus(uint64_t card, uint8_t channel, uint32_t* online) {
    if (online)
        *online = 0;
    ChannelRef ref;
    if (uint32_t status = resolve(card, channel, ref))
        return status;
    if (!online)
        return ZAMGRB_INVALID_ARGUMENT;
    std::lock_guard lock(ref.channel->mutex);
    *online = ref.channel->connected ? 1 : 0;
    return ZAMGRB_OK;
}

uint32_t MeasureSignal(uint64_t card, uint8_t channel, uint32_t* clocksPerLine, uint32_t* linesPerFrame) {
    ChannelRef ref;
    if (uint32_t status = resolve(card, channel, ref))
        return status;
    if (!ref.card->measuresSignal)
        return ZAMGRB_NOT_SUPPORTED;
    if (!clocksPerLine || !linesPerFrame)
        return ZAMGRB_INVALID_ARGUMENT;
    std::lock_guard lock(ref.channel->mutex);
    if (!ref.channel->connected)
        return ZAMGRB_FAILED;  // no signal to measure
    *clocksPerLine = ref.channel->camera.clocksPerLine();
    *linesPerFrame = ref.channel->camera.linesPerFrame();
    return ZAMGRB_OK;
}
