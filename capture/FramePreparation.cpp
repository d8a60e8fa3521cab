#include "capture/FramePreparation.h"

#include <algorithm>

namespace capture {

uint8_t ConversionFlags(uint32_t imageType, bool normalize, bool clipFrame) {
    uint8_t flags = ZAMGRB_CONVERT_FOUR_CHANNELS;
    if (imageType == kImageTiff && !clipFrame)
        flags |= ZAMGRB_CONVERT_KEEP_DEPTH | (normalize ? ZAMGRB_CONVERT_NORMALISE : 0);
    return flags;
}

uint32_t BytesPerPixel(uint32_t convertedDepth) {
    switch (convertedDepth) {
        case 10:
        case 12:
        case 14:
        case 16:
            return 2;
        case 24:
        case 32:
            return 4;
        case 30:
        case 36:
        case 40:
        case 42:
        case 48:
        case 56:
        case 64:
            return 8;
        default:
            return 1;
    }
}

CameraDescription WriterDescription(const CameraDescription& frame, uint32_t convertedDepth, uint8_t& flags) {
    CameraDescription d = frame;
    d.config.widthPreValid = d.config.widthPostValid = 0;
    d.config.heightPreValid = d.config.heightPostValid = 0;
    d.config.packed = 0;
    d.config.bitDepth = convertedDepth;
    if ((flags & ZAMGRB_CONVERT_FOUR_CHANNELS) && convertedDepth >= 32) {
        d.config.bitDepth = convertedDepth / 4 * 3;
        flags &= uint8_t(~ZAMGRB_CONVERT_FOUR_CHANNELS);
    }
    d.rgbOffsetRed = d.rgbOffsetGreen = d.rgbOffsetBlue = 0;
    d.rgbGainRed = d.rgbGainGreen = d.rgbGainBlue = 1.0;
    d.lutLevels = nullptr;
    d.lutValues = nullptr;
    SetTapFormat(1, &d.config.tapConfig);
    // The writers take keep-depth alone: the pixels are already normalised.
    constexpr uint8_t both = ZAMGRB_CONVERT_KEEP_DEPTH | ZAMGRB_CONVERT_NORMALISE;
    if ((flags & both) == both)
        flags &= uint8_t(~ZAMGRB_CONVERT_NORMALISE);
    return d;
}

uint8_t JpegQuality(uint32_t jpgQuality) {
    // Clamped: past 9 the plain formula reaches 0 and wraps, which the writer would
    // take as the best quality instead of the smallest file.
    return uint8_t(100 - 10 * std::min(jpgQuality, 9u));
}

}  // namespace capture
