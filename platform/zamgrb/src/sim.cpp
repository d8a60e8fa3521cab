// Test control of the software card (zamgrb_sim.h).
#include "zamgrb_sim.h"

#include "TapGeometry.h"
#include "aliases.h"
#include "cards.h"
#include "grab.h"
#include "runtime.h"

using namespace zamgrb;

uint32_t ZamgrbSimReload(void) {
    if (onAnyDeliveryThread())
        return ZAMGRB_FAILED;  // closing the grabs would wait for this very thread
    for (uint64_t handle : openHandles())
        CloseCard(handle);
    resetRuntimes();
    forgetSessionAliases();
    reloadMachine();
    return ZAMGRB_OK;
}

uint32_t ZamgrbSimSetCameraConnected(uint64_t card, uint8_t channel, uint32_t connected) {
    ChannelRef ref;
    if (uint32_t status = resolve(card, channel, ref))
        return status;
    if (connected && !ref.card->channels[channel].camera)
        return ZAMGRB_FAILED;
    std::lock_guard lock(ref.channel->mutex);
    ref.channel->connected = connected != 0;
    return ZAMGRB_OK;
}

uint32_t ZamgrbSimInjectBadFrames(uint64_t card, uint8_t channel, uint32_t count) {
    ChannelRef ref;
    if (uint32_t status = resolve(card, channel, ref))
        return status;
    std::lock_guard lock(ref.channel->mutex);
    ref.channel->pendingBadFrames += count;
    return ZAMGRB_OK;
}

uint32_t ZamgrbSimSetCameraGeometry(uint64_t card, uint8_t channel, const ZamgrbSimGeometry* g) {
    ChannelRef ref;
    if (uint32_t status = resolve(card, channel, ref))
        return status;
    if (!g)
        return ZAMGRB_INVALID_ARGUMENT;
    const TapConfig& t = g->tapConfig;
    if (t.taps == 0 || t.channels == 0 || t.channels > 2 || g->widthValid == 0 || g->heightValid == 0)
        return ZAMGRB_INVALID_ARGUMENT;
    if (g->widthPreValid % t.taps || g->widthValid % t.taps || g->widthPostValid % t.taps)
        return ZAMGRB_INVALID_ARGUMENT;
    if (g->heightPreValid % t.channels || g->heightValid % t.channels || g->heightPostValid % t.channels)
        return ZAMGRB_INVALID_ARGUMENT;
    if (!TapGeometry::create(t, g->widthValid, g->heightValid))
        return ZAMGRB_INVALID_ARGUMENT;
    std::lock_guard lock(ref.channel->mutex);
    SimCamera& cam = ref.channel->camera;
    const bool rgb = cam.color == ColorKind::Rgb;
    const bool depthFits = rgb ? (g->bitDepth == 24 || g->bitDepth == 30 || g->bitDepth == 36)
                               : (g->bitDepth >= 1 && g->bitDepth <= 16);
    if (!depthFits)
        return ZAMGRB_INVALID_ARGUMENT;
    cam.width = {g->widthPreValid, g->widthValid, g->widthPostValid};
    cam.height = {g->heightPreValid, g->heightValid, g->heightPostValid};
    cam.bitDepth = g->bitDepth;
    cam.tapConfig = t;
    ++ref.channel->cameraVersion;
    return ZAMGRB_OK;
}

uint32_t ZamgrbSimGetPulseCounters(uint64_t card, uint8_t channel, uint64_t* masterPulses,
                                   uint64_t* slavePulses) {
    ChannelRef ref;
    if (uint32_t status = resolve(card, channel, ref))
        return status;
    uint64_t master = 0, slave = 0;
    ref.runtime->pulses.counters(channel, master, slave);
    if (masterPulses)
        *masterPulses = master;
    if (slavePulses)
        *slavePulses = slave;
    return ZAMGRB_OK;
}
