// SaveBmpFile: 8-bit grey with a grey palette, or 24-bit colour; rows bottom-up,
// padded to four bytes. Deeper pixels are reduced to 8 bits.
#include <cstring>

#include "TemporaryFile.h"
#include "WriterInput.h"
#include "zamgrb.h"

using namespace zamgrb::image;

namespace {

void put16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

constexpr uint32_t kFileHeader = 14, kInfoHeader = 40;

struct BmpShape {
    bool grey;
    uint64_t bytesPerPixel, stride, offset, imageBytes;
    uint64_t fileBytes() const { return offset + imageBytes; }
};

BmpShape shapeOf(const PixelLayout& layout) {
    const bool grey = !layout.colour();
    const uint64_t bytesPerPixel = grey ? 1 : 3;
    const uint64_t stride = (layout.width * bytesPerPixel + 3) / 4 * 4;
    const uint64_t offset = kFileHeader + kInfoHeader + (grey ? 256 * 4 : 0);
    return {grey, bytesPerPixel, stride, offset, stride * layout.height};
}

std::vector<uint8_t> encodeBmp(const PixelLayout& layout, const std::vector<uint8_t>& pixels) {
    const auto [grey, bytesPerPixel, stride, offset, imageBytes] = shapeOf(layout);
    std::vector<uint8_t> file(offset + imageBytes, 0);
    uint8_t* h = file.data();
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, uint32_t(file.size()));
    put32(h + 10, uint32_t(offset));
    put32(h + 14, kInfoHeader);
    put32(h + 18, layout.width);
    put32(h + 22, layout.height);  // positive: bottom-up rows
    put16(h + 26, 1);
    put16(h + 28, uint32_t(bytesPerPixel * 8));
    put32(h + 34, uint32_t(imageBytes));
    put32(h + 38, 2835);  // 72 dpi
    put32(h + 42, 2835);
    if (grey) {
        put32(h + 46, 256);
        for (uint32_t i = 0; i < 256; ++i)
            put32(h + kFileHeader + kInfoHeader + i * 4, i * 0x010101u);
    }
    const uint64_t inStride = uint64_t(layout.width) * layout.channels;
    for (uint32_t y = 0; y < layout.height; ++y) {
        const uint8_t* in = pixels.data() + y * inStride;
        uint8_t* out = file.data() + offset + (layout.height - 1 - y) * stride;
        if (grey) {
            std::memcpy(out, in, layout.width);
            continue;
        }
        for (uint32_t x = 0; x < layout.width; ++x, in += layout.channels, out += 3)
            std::memcpy(out, in, 3);
    }
    return file;
}

}  // namespace

uint32_t SaveBmpFile(const CameraDescription* description, const void* pixels, const char* path) {
    const auto layout = writerInput(description, pixels, path);
    if (!layout)
        return ZAMGRB_INVALID_ARGUMENT;
    // The format keeps sizes in 32 bits: a valid image whose file would pass
    // 4 GiB cannot be written as BMP. Checked before a pixel is read.
    if (shapeOf(*layout).fileBytes() > UINT32_MAX)
        return ZAMGRB_FAILED;
    try {
        const std::vector<uint8_t> file = encodeBmp(*layout, reducedTo8Bits(*layout, pixels));
        auto out = TemporaryFile::create(path);
        if (!out || !out->write(file.data(), file.size()) || !out->commit())
            return ZAMGRB_FAILED;
    } catch (const std::bad_alloc&) {
        return ZAMGRB_NO_BUFFERS;
    }
    return ZAMGRB_OK;
}
