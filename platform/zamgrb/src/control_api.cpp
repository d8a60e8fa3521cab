// Camera control: the pulse generators and the sources of CC1..CC4.
#include "runtime.h"

using namespace zamgrb;

uint32_t SetPulseGenerator(uint64_t card, uint8_t channel, const PulseGeneratorSettings* settings) {
    ChannelRef ref;
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    if (!settings || settings->mode > 1)
        return ZAMGRB_INVALID_ARGUMENT;
    ref.runtime->pulses.setGenerator(channel, *settings);
    return ZAMGRB_OK;
}

uint32_t SetCameraControl(uint64_t card, uint8_t channel, const CameraControlSettings* settings) {
    ChannelRef ref;
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    if (!settings)
        return ZAMGRB_INVALID_ARGUMENT;
    for (uint32_t source : settings->source)
        if (source > 9)
            return ZAMGRB_INVALID_ARGUMENT;
    ref.runtime->pulses.setControl(channel, *settings);
    return ZAMGRB_OK;
}

uint32_t EnablePulseGenerator(uint64_t card, uint8_t channel, uint32_t on) {
    ChannelRef ref;
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    // Under control, so that a CloseChannel on another thread cannot disable the
    // generator between the ownership check and the enabling.
    std::lock_guard control(ref.channel->control);
    if (uint32_t status = stillOwned(ref))
        return status;
    ref.runtime->pulses.enable(channel, on != 0);
    return ZAMGRB_OK;
}
