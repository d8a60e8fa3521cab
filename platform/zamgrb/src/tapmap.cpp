#include "tapmap.h"

namespace zamgrb {

TapMap::TapMap(const TapConfig& config, uint32_t width, uint32_t height)
    : config_(config), width_(width), height_(height) {
    const uint32_t taps = config.taps ? config.taps : 1;
    switch (config.tapOutput) {
        case 1:
            group_ = taps > 1 ? 2 : 1;
            break;  // Alternate: pairs side by side
        case 2:
            group_ = taps;
            break;  // Interleaved: all taps side by side
        default:
            group_ = 1;
            break;  // Segmented
    }
    segments_ = taps / group_ ? taps / group_ : 1;
    segmentClocks_ = width / (segments_ * group_);
}

Point TapMap::at(uint32_t p, uint32_t n, uint32_t c, uint32_t t) const {
    const uint32_t j = t / group_, k = t % group_;
    const uint32_t w = segmentClocks_;
    const uint32_t tapIndex = c * config_.taps + t;
    const uint8_t directions[4] = {config_.tapDirection0, config_.tapDirection1, config_.tapDirection2,
                                   config_.tapDirection3};
    const bool rightLeft = config_.taps <= 4 && directions[tapIndex % 4] == 1;
    Point pt;
    pt.x = rightLeft ? ((j + 1) * w - n) * group_ - k - 1 : n * group_ + k + j * w * group_;

    const uint32_t channels = config_.channels ? config_.channels : 1;
    const bool bottomUp = (c == 0 ? config_.channelDirection0 : config_.channelDirection1) == 1;
    const bool reverse = channels == 2 && config_.channelOrder == 1;
    if (config_.channelOutput == 1) {  // Interlaced: channels take alternate lines
        uint32_t y = p * channels + c;
        if (reverse)
            y = y - c + (1 - c);  // the two channels swap lines
        pt.y = bottomUp ? height_ - 1 - y : y;
    } else {  // Segmented: each channel covers height / channels lines
        const uint32_t span = height_ / channels;
        const uint32_t block = reverse ? channels - 1 - c : c;
        pt.y = bottomUp ? span * (block + 1) - 1 - p : p + span * block;
    }
    return pt;
}

}  // namespace zamgrb
