#include "PixelLayout.h"

namespace zamgrb::image {

namespace {

// Images beyond this size in either direction are refused rather than risking
// arithmetic overflow in sizes.
constexpr uint32_t kMaxSide = 1u << 20;

bool validSize(const CameraDescription& d) {
    const uint32_t w = d.config.widthValid, h = d.config.heightValid;
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide;
}

}  // namespace

bool isColourDescription(const CameraDescription& d) {
    return d.colorFormat != ZAMGRB_COLOR_NONE || d.config.bitDepth >= 24;
}

uint32_t bitsPerChannelOf(const CameraDescription& d) {
    return d.config.bitDepth >= 24 ? d.config.bitDepth / 3 : d.config.bitDepth;
}

std::optional<PixelLayout> convertedLayout(const CameraDescription& d, uint8_t flags) {
    if (!validSize(d))
        return {};
    PixelLayout layout;
    layout.width = d.config.widthValid;
    layout.height = d.config.heightValid;
    const uint32_t bits = bitsPerChannelOf(d);
    if (bits < 8 || bits > 16)
        return {};
    const bool keep = flags & ZAMGRB_CONVERT_KEEP_DEPTH;
    const bool deep = keep && bits > 8;
    layout.bytesPerChannel = deep ? 2 : 1;
    layout.bitsPerChannel = deep ? bits : 8;
    if (isColourDescription(d)) {
        layout.channels = (flags & ZAMGRB_CONVERT_FOUR_CHANNELS) ? 4 : 3;
    } else if (deep && (flags & ZAMGRB_CONVERT_NORMALISE)) {
        layout.bitsPerChannel = 16;
    }
    return layout;
}

uint32_t reportedBitsPerPixel(const PixelLayout& layout) {
    return layout.bitsPerChannel * layout.channels;
}

std::optional<PixelLayout> writerLayout(const CameraDescription& d) {
    if (!validSize(d))
        return {};
    const uint32_t depth = d.config.bitDepth;
    if (depth >= 24 && depth % 3 != 0)
        return {};
    const uint32_t bits = bitsPerChannelOf(d);
    if (bits < 8 || bits > 16)
        return {};
    PixelLayout layout;
    layout.width = d.config.widthValid;
    layout.height = d.config.heightValid;
    layout.channels = isColourDescription(d) ? 4 : 1;
    layout.bitsPerChannel = bits;
    layout.bytesPerChannel = bits > 8 ? 2 : 1;
    return layout;
}

}  // namespace zamgrb::image
