#include "camera/CameraParamsRules.h"

#include "grabber/Grabber.h"

namespace cameraparams {

std::optional<int> MonoIndexOf(uint32_t depth) {
    // Button k = (depth - 8) / 2: an odd depth selects the button below it.
    if (depth < MonoDepthOf(0) || depth >= MonoDepthOf(kMonoDepthCount))
        return std::nullopt;
    return int((depth - MonoDepthOf(0)) / 2);
}

std::optional<int> RgbIndexOf(uint32_t depth) {
    // Button k = (depth / 3 - 8) / 2, the monochrome rule on one channel.
    const std::optional<int> k = MonoIndexOf(depth / 3);
    if (!k || *k >= kRgbDepthCount)
        return std::nullopt;
    return k;
}

bool PackedSelectable(bool packedAvailable, int videoType, uint32_t monoDepth) {
    if (!packedAvailable)
        return false;
    return videoType == kRgb || monoDepth == 10 || monoDepth == 12;
}

uint32_t PackedOf(uint32_t bitDepth, bool packedAvailable, bool packedBox) {
    if (bitDepth == 8 || bitDepth == 14 || bitDepth == 16 || !packedAvailable)
        return 0;
    return packedBox ? 1 : 0;
}

bool SwapTapsAllowed(uint32_t bitDepth, const TapConfig& tapConfig) {
    return ZamgrbCameraLinkMode(bitDepth, tapConfig.taps, tapConfig.channels) == CAMERA_LINK_BASE;
}

bool IsBayerCell(int cell) {
    return cell == 0 || cell == 1 || cell == 4 || cell == 5;
}

char CellLabel(int videoType, int cell) {
    static const char kTruesense[kPatternCells + 1] = "PBPGBPGPPGPRGPRP";
    if (videoType == kBayer && (cell == 0 || cell == 5))
        return 'G';
    if (videoType == kBayer && cell == 1)
        return 'R';
    return cell >= 0 && cell < kPatternCells ? kTruesense[cell] : ' ';
}

int TapFormatIndexOf(const TapConfig& tapConfig) {
    const uint32_t format = grabber::GetTapFormat(tapConfig);
    return format >= 1 && format <= uint32_t(kTapFormatCount) ? int(format) - 1 : kCustomTapIndex;
}

ColorFields ColorFieldsOf(int videoType, int cell) {
    switch (videoType) {
        case kBayer:
            return {ZAMGRB_COLOR_BAYER, uint8_t(cell < 2 ? cell : cell - 2)};
        case kTruesense:
            return {ZAMGRB_COLOR_TRUESENSE, uint8_t(cell)};
        default:
            return {ZAMGRB_COLOR_NONE, uint8_t(cell)};
    }
}

VideoSelection VideoSelectionOf(const CameraDescription& d) {
    if (d.config.bitDepth >= 24)
        return {kRgb, d.patternStart};
    switch (d.colorFormat) {
        case ZAMGRB_COLOR_NONE:
            return {kMonochrome, d.patternStart};
        case ZAMGRB_COLOR_TRUESENSE:
            return {kTruesense, d.patternStart};
        default:
            return {kBayer, d.patternStart > 1 ? d.patternStart + 2 : d.patternStart};
    }
}

}  // namespace cameraparams
