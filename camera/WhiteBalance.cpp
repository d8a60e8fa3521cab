#include "camera/WhiteBalance.h"

#include <memory>
#include <new>

#include "grabber/Grabber.h"

namespace rgbcontrol {
namespace {

constexpr uint8_t kFlags = ZAMGRB_CONVERT_KEEP_DEPTH | ZAMGRB_CONVERT_FOUR_CHANNELS;

// Pixels are blue, green, red, unused.
template <typename Sample>
Triple meansOf(const uint8_t* pixels, uint64_t count) {
    const auto* s = reinterpret_cast<const Sample*>(pixels);
    uint64_t sums[3] = {};
    for (uint64_t i = 0; i < count; ++i, s += 4)
        for (int c = 0; c < 3; ++c)
            sums[c] += s[c];
    const double n = count ? double(count) : 1.0;
    return {double(sums[2]) / n, double(sums[1]) / n, double(sums[0]) / n};
}

}  // namespace

std::optional<Triple> MeasureMeans(const CameraDescription& description, const void* raw) {
    if (!raw)
        return std::nullopt;
    uint64_t rowStep = 0;
    uint32_t bitsPerPixel = 0;
    if (grabber::ConvertFrame(description, raw, nullptr, rowStep, kFlags, &bitsPerPixel) != ZAMGRB_OK ||
        bitsPerPixel < 32)
        return std::nullopt;
    const uint64_t size = rowStep * description.config.heightValid;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]);
    if (!buffer)
        return std::nullopt;
    CameraDescription unity = description;
    unity.rgbGainRed = unity.rgbGainGreen = unity.rgbGainBlue = 1.0;
    if (grabber::ConvertFrame(unity, raw, buffer.get(), rowStep, kFlags, nullptr) != ZAMGRB_OK)
        return std::nullopt;
    const uint32_t bytesPerChannel = bitsPerPixel / 4 <= 8 ? 1 : 2;
    const uint64_t pixels = size / (4 * bytesPerChannel);
    return bytesPerChannel == 1 ? meansOf<uint8_t>(buffer.get(), pixels)
                                : meansOf<uint16_t>(buffer.get(), pixels);
}

}  // namespace rgbcontrol
