// The rules of the camera parameters dialog that need no window: bit-depth
// buttons, the packed option, the Swap taps lock, the colour pattern cells, and
// how the video type and pattern cell map onto a CameraDescription.
#pragma once

#include <cstdint>
#include <optional>

#include "zamgrb.h"

namespace cameraparams {

enum VideoType : int { kMonochrome = 0, kBayer = 1, kRgb = 2, kCmyg = 3, kTruesense = 4 };

inline constexpr int kTapFormatCount = 18;               // list entries 0..17 are formats 1..18
inline constexpr int kCustomTapIndex = kTapFormatCount;  // "Custom"
inline constexpr int kMonoDepthCount = 5;                // 8, 10, 12, 14, 16
inline constexpr int kRgbDepthCount = 3;                 // RGB24, RGB30, RGB36
inline constexpr int kPatternCells = 16;
inline constexpr uint32_t kGeometryMax = 10000;  // spinner range of the geometry edits

constexpr uint32_t MonoDepthOf(int index) {
    return 8 + 2 * uint32_t(index);
}
constexpr uint32_t RgbDepthOf(int index) {
    return 3 * MonoDepthOf(index);
}
// The button a bit-depth setter selects: k = (depth - 8) / 2 for monochrome and
// (depth / 3 - 8) / 2 for RGB; empty when that index has no button, and the
// selection then stays.
std::optional<int> MonoIndexOf(uint32_t depth);
std::optional<int> RgbIndexOf(uint32_t depth);

// Whether the "Packed" box may be ticked.
bool PackedSelectable(bool packedAvailable, int videoType, uint32_t monoDepth);
// The packed field of a configuration: never for depths that have no packed form.
uint32_t PackedOf(uint32_t bitDepth, bool packedAvailable, bool packedBox);
// "Swap taps" exists only in the Camera Link Base mode.
bool SwapTapsAllowed(uint32_t bitDepth, const TapConfig& tapConfig);

// The pattern cells used by Bayer (the 2 x 2 cell G R / B G).
bool IsBayerCell(int cell);
// The label of a pattern cell for a video type.
char CellLabel(int videoType, int cell);

// The tap format list entry of a configuration ("Custom" when no format matches).
int TapFormatIndexOf(const TapConfig& tapConfig);

// colorFormat and patternStart of a description for a video type and pattern cell.
struct ColorFields {
    uint8_t colorFormat = 0;
    uint8_t patternStart = 0;
};
ColorFields ColorFieldsOf(int videoType, int cell);

// The video type and pattern cell that show a description.
struct VideoSelection {
    int videoType = kMonochrome;
    int cell = 0;
};
VideoSelection VideoSelectionOf(const CameraDescription& description);

}  // namespace cameraparams
