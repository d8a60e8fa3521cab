// SaveTiffFile through libtiff: grey or RGB, 8 or 16 bits per sample.
// flags: ZAMGRB_CONVERT_KEEP_DEPTH writes deep pixels as 16-bit samples (values
// as they are); ZAMGRB_CONVERT_NORMALISE stretches the used range of deep grey
// pixels over all 16 bits; without either, deep pixels are reduced to 8 bits.
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "TemporaryFile.h"
#include "ToneTables.h"
#include "WriterInput.h"
#include "zamgrb.h"

using namespace zamgrb::image;

namespace {

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

// Samples ready to write: grey, or R, G, B, in 1 or 2 bytes each. Grey pixels
// that need no change are written from the caller's buffer, without a copy.
struct TiffImage {
    std::vector<uint8_t> owned;
    const uint8_t* data;
    uint32_t samplesPerPixel, bytesPerSample;
};

template <typename T>
void toRgb(const T* in, uint64_t pixels, T* out) {
    for (uint64_t i = 0; i < pixels; ++i, in += 4, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

TiffImage prepare(const PixelLayout& layout, const void* pixels, uint8_t flags) {
    const uint64_t count = uint64_t(layout.width) * layout.height;
    const bool sixteen =
        layout.bytesPerChannel == 2 && (flags & (ZAMGRB_CONVERT_KEEP_DEPTH | ZAMGRB_CONVERT_NORMALISE));
    TiffImage image{{}, static_cast<const uint8_t*>(pixels), layout.colour() ? 3u : 1u, sixteen ? 2u : 1u};
    if (!sixteen && layout.bytesPerChannel == 2) {
        image.owned = reducedTo8Bits(layout, pixels);
        image.data = image.owned.data();
    }
    if (layout.colour()) {
        std::vector<uint8_t> rgb(count * 3 * image.bytesPerSample);
        if (sixteen)
            toRgb(reinterpret_cast<const uint16_t*>(image.data), count,
                  reinterpret_cast<uint16_t*>(rgb.data()));
        else
            toRgb(image.data, count, rgb.data());
        image.owned = std::move(rgb);
        image.data = image.owned.data();
    } else if (sixteen && (flags & ZAMGRB_CONVERT_NORMALISE)) {
        image.owned.assign(image.data, image.data + count * 2);
        stretchToSixteenBits(reinterpret_cast<uint16_t*>(image.owned.data()), count, layout.bitsPerChannel);
        image.data = image.owned.data();
    }
    return image;
}

bool writeTiff(const std::string& path, const PixelLayout& layout, const TiffImage& image) {
    std::unique_ptr<TIFF, TiffCloser> tiff(TIFFOpen(path.c_str(), "w"));
    if (!tiff)
        return false;
    TIFF* t = tiff.get();
    const uint64_t stride = uint64_t(layout.width) * image.samplesPerPixel * image.bytesPerSample;
    // Strips of about 1 MiB, written as they stand: uncompressed samples in the
    // machine's byte order are already the strip's bytes.
    const uint32_t rowsPerStrip = uint32_t(std::clamp<uint64_t>((1u << 20) / stride, 1, layout.height));
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, layout.width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, layout.height);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, image.samplesPerPixel);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, image.bytesPerSample * 8);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC,
                 image.samplesPerPixel == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    for (uint32_t y = 0, strip = 0; y < layout.height; y += rowsPerStrip, ++strip) {
        const uint64_t rows = std::min<uint64_t>(rowsPerStrip, layout.height - y);
        // libtiff does not change the bytes of a raw strip.
        auto* bytes = const_cast<uint8_t*>(image.data) + y * stride;
        if (TIFFWriteRawStrip(t, strip, bytes, tmsize_t(rows * stride)) < 0)
            return false;
    }
    if (!TIFFFlush(t))
        return false;
    tiff.reset();
    return true;
}

}  // namespace

uint32_t SaveTiffFile(const CameraDescription* description, const void* pixels, const char* path,
                      uint8_t flags) {
    const auto layout = writerInput(description, pixels, path);
    if (!layout)
        return ZAMGRB_INVALID_ARGUMENT;
    try {
        const TiffImage image = prepare(*layout, pixels, flags);
        auto out = TemporaryFile::create(path);
        if (!out || !writeTiff(out->path(), *layout, image) || !out->commit())
            return ZAMGRB_FAILED;
    } catch (const std::bad_alloc&) {
        return ZAMGRB_NO_BUFFERS;
    }
    return ZAMGRB_OK;
}
