#include "grabber/Bandwidth.h"

namespace grabber {

uint32_t BandwidthMbps(const GrabStatistics& statistics, const CameraConfig& config) {
    constexpr uint64_t kMega = 1000000;
    const uint64_t taps = config.tapConfig.taps;
    const uint64_t channels = config.tapConfig.channels;
    // Unsigned so that absurd statistics wrap instead of overflowing.
    const uint64_t p = (uint64_t{statistics.clocksPerLine} * taps) *
                       (uint64_t{statistics.linesPerFrame} * channels) * statistics.cameraFrameRate;
    const uint32_t depth = config.bitDepth;
    const bool packed = config.packed != 0;

    uint64_t mbps = 0;
    if (depth <= 8) {
        mbps = p * 8 / kMega;
    } else if (depth <= 16) {
        if (depth == 10 && packed)
            mbps = p * 10 * 64 / 60 / kMega;
        else if (depth == 12 && packed)
            mbps = taps * channels == 1 ? p * 12 * 64 / 60 / kMega : p * 12 / kMega;
        else
            mbps = p * 16 / kMega;
    } else if (depth <= 24) {
        mbps = p * (packed ? 24 : 32) / kMega;
    } else if (depth <= 36) {
        mbps = p * 64 / kMega;
    }
    return static_cast<uint32_t>(mbps);
}

}  // namespace grabber
