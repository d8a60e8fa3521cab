#include "TestImages.h"

#include <cstring>

namespace testimages {

CameraDescription Description(int width, int height, int bitDepth, uint8_t colour) {
    CameraDescription d{};
    d.config.widthValid = uint32_t(width);
    d.config.heightValid = uint32_t(height);
    d.config.bitDepth = uint32_t(bitDepth);
    d.config.tapConfig.channels = 1;
    d.config.tapConfig.taps = 1;
    d.colorFormat = colour;
    return d;
}

void Fill(CurrentImage& image, const CameraDescription& d, int channels, int sampleBytes,
          const std::function<uint32_t(int x, int y, int c)>& sample) {
    image.description = d;
    const int w = int(d.config.widthValid), h = int(d.config.heightValid);
    image.rowStep = uint64_t(w) * channels * sampleBytes;
    image.pixelData.allocate(image.rowStep * h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.pixelData.data() + image.rowStep * y;
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c) {
                const uint32_t v = sample(x, y, c);
                std::memcpy(row + (x * channels + c) * sampleBytes, &v, size_t(sampleBytes));
            }
    }
}

}  // namespace testimages
