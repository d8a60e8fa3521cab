#include "app/CameraValidation.h"

#include "TapGeometry.h"
#include "res/ResourceIds.h"

namespace app {
namespace {

constexpr uint32_t kMediumModeFirmware = 0x00020000;  // 0.2.0.0

uint64_t bitsPerClock(const CameraConfig& c) {
    return uint64_t(c.bitDepth) * c.tapConfig.taps * c.tapConfig.channels;
}

}  // namespace

int ValidateCameraConfig(const CameraConfig& config, const CardQueries& card) {
    const uint64_t bits = bitsPerClock(config);
    if (bits > 80)
        return 140;
    if (card.present) {
        if (bits > 64 && !card.hasFullAndDecaModes())
            return 143;
        if (bits > 48 && !card.hasFullAndDecaModes())
            return 142;
        if (bits > 24 && card.firmware() < kMediumModeFirmware)
            return 141;
    }
    if (config.heightValid == 0 || config.widthValid == 0)
        return 151;
    // The rule the card library converts and the preview draws by: a layout it
    // cannot place would have every frame dropped.
    if (!zamgrb::TapGeometry::create(config.tapConfig, config.widthValid, config.heightValid))
        return res::IDS_TAP_GEOMETRY;
    return 0;
}

QString ReconfigureMessage(uint32_t status, const CameraConfig& config, uint8_t channel) {
    if (status == ZAMGRB_OK || status == ZAMGRB_NO_CARD)
        return {};
    if (status == ZAMGRB_NOT_SUPPORTED || bitsPerClock(config) <= 24)
        return QStringLiteral("Invalid camera parameters.");
    if (channel == 1)
        return QStringLiteral("Medium mode not supported on Channel 2.");
    return QStringLiteral("Port2 is busy. It is being used by Channel 2.");
}

}  // namespace app
