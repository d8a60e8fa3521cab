#include "display/PixelValue.h"

#include <cstring>

#include "display/CurrentImage.h"
#include "display/ImageFormat.h"

namespace display {

uint64_t GetPixelValue(const CurrentImage& image, QPoint p) {
    const int channels = PixelChannels(image);
    const ImageFormat f = FormatOf(image.description);
    if (channels == 0 || p.x() < 0 || p.y() < 0 || p.x() >= f.width || p.y() >= f.height)
        return kNoPixelValue;
    const int bits = ValueBits(image.description);
    const int sampleBytes = bits == 8 || bits == 24 ? 1 : 2;
    const uint8_t* pixel = image.pixelData.data() + size_t(p.y()) * image.rowStep +
                           size_t(p.x()) * size_t(channels * sampleBytes);
    auto channel = [&](int c) -> uint64_t {
        if (sampleBytes == 1)
            return pixel[c];
        uint16_t v;
        std::memcpy(&v, pixel + 2 * c, 2);
        return v;
    };
    if (bits < 24 || channels == 1)
        return channel(0);
    if (bits == 24)
        return channel(2) | channel(1) << 8 | channel(0) << 16;
    return channel(2) | channel(1) << 16 | channel(0) << 32;
}

}  // namespace display
