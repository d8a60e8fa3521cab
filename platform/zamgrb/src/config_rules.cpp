#include "config_rules.h"

#include "SampleStorage.h"

namespace zamgrb {

namespace {

bool validTaps(uint32_t taps) {
    for (uint32_t t : {1u, 2u, 3u, 4u, 8u, 10u})
        if (t == taps)
            return true;
    return false;
}

}  // namespace

uint32_t checkConfiguration(const SimCard& card, uint8_t channel, const CameraConfig& c,
                            bool otherChannelOwned) {
    const TapConfig& t = c.tapConfig;
    if (c.widthValid == 0 || c.heightValid == 0)
        return ZAMGRB_NOT_SUPPORTED;
    if (!validTaps(t.taps) || (t.channels != 1 && t.channels != 2))
        return ZAMGRB_NOT_SUPPORTED;
    if (c.widthValid % t.taps || c.heightValid % t.channels)
        return ZAMGRB_NOT_SUPPORTED;
    // Only the depths the card can store: 8, 10, 12, 14, 16 and RGB 24, 30, 36.
    if (!sampleStorageOf(c))
        return ZAMGRB_NOT_SUPPORTED;
    // A raw frame's byte count must fit the 32-bit size of FrameInfo.
    if (uint64_t(c.widthValid) * c.heightValid * 8 > UINT32_MAX)
        return ZAMGRB_NOT_SUPPORTED;
    const CameraLinkMode mode = ZamgrbCameraLinkMode(c.bitDepth, t.taps, t.channels);
    if (mode == CAMERA_LINK_NOT_ALLOWED)
        return ZAMGRB_NOT_SUPPORTED;
    if ((mode == CAMERA_LINK_FULL || mode == CAMERA_LINK_DECA) && !card.fullDeca)
        return ZAMGRB_NOT_SUPPORTED;
    // Above 24 bits per clock the camera also needs the second port, which is channel 2's.
    if (mode != CAMERA_LINK_BASE && (channel == 1 || otherChannelOwned))
        return ZAMGRB_BUSY;
    return ZAMGRB_OK;
}

}  // namespace zamgrb
