#include "display/ImageFormat.h"

#include "display/CurrentImage.h"

namespace display {

ImageFormat FormatOf(const CameraDescription& d) {
    ImageFormat f;
    f.width = int(d.config.widthValid);
    f.height = int(d.config.heightValid);
    f.bitDepth = int(d.config.bitDepth);
    f.colour = d.colorFormat != ZAMGRB_COLOR_NONE || f.bitDepth >= 24;
    f.bitsPerChannel = f.bitDepth >= 24 ? f.bitDepth / 3 : f.bitDepth;
    if (f.colour)
        f.kind = f.bitsPerChannel == 8 ? ImageKind::Colour8 : ImageKind::ColourDeep;
    else
        f.kind = f.bitDepth == 8 ? ImageKind::Mono8 : ImageKind::MonoDeep;
    return f;
}

int ValueBits(const CameraDescription& d) {
    const int bits = int(d.config.bitDepth);
    return d.colorFormat != ZAMGRB_COLOR_NONE ? bits * 3 : bits;
}

int PixelChannels(const CurrentImage& image) {
    const ImageFormat f = FormatOf(image.description);
    if (!image.pixelData || f.width <= 0 || f.height <= 0 || image.rowStep == 0)
        return 0;
    const uint64_t pixelBytes = uint64_t(f.width) * f.bytesPerChannel();
    if (image.rowStep % pixelBytes != 0)
        return 0;
    const int channels = int(image.rowStep / pixelBytes);
    const bool valid = f.colour ? (channels == 3 || channels == 4) : channels == 1;
    if (!valid || image.rowStep * uint64_t(f.height) > image.pixelData.size())
        return 0;
    return channels;
}

}  // namespace display
