// SaveTiffFile through libtiff: grey or RGB, 8 or 16 bits per sample.
// flags: ZAMGRB_CONVERT_KEEP_DEPTH writes deep pixels as 16-bit samples (values
// as they are); ZAMGRB_CONVERT_NORMALISE stretches the used range of deep grey
// pixels over all 16 bits; without either, deep pixels are reduced to 8 bits.
#include <tiffio.h>

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

// Samples ready to write: grey, or R, G, B, in 1 or 2 bytes each.
struct TiffImage {
    std::vector<uint8_t> data;
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
    TiffImage image{{}, layout.colour() ? 3u : 1u, sixteen ? 2u : 1u};
    image.data.resize(count * image.samplesPerPixel * image.bytesPerSample);
    std::vector<uint8_t> reduced;
    const void* source = pixels;
    if (!sixteen && layout.bytesPerChannel == 2) {
        reduced = reducedTo8Bits(layout, pixels);
        source = reduced.data();
    }
    if (layout.colour()) {
        if (sixteen)
            toRgb(static_cast<const uint16_t*>(source), count,
                  reinterpret_cast<uint16_t*>(image.data.data()));
        else
            toRgb(static_cast<const uint8_t*>(source), count, image.data.data());
        return image;
    }
    std::memcpy(image.data.data(), source, image.data.size());
    if (sixteen && (flags & ZAMGRB_CONVERT_NORMALISE))
        stretchToSixteenBits(reinterpret_cast<uint16_t*>(image.data.data()), count, layout.bitsPerChannel);
    return image;
}

bool writeTiff(const std::string& path, const PixelLayout& layout, const TiffImage& image) {
    std::unique_ptr<TIFF, TiffCloser> tiff(TIFFOpen(path.c_str(), "w"));
    if (!tiff)
        return false;
    TIFF* t = tiff.get();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, layout.width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, layout.height);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, image.samplesPerPixel);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, image.bytesPerSample * 8);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC,
                 image.samplesPerPixel == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    const tmsize_t stride = tmsize_t(layout.width) * image.samplesPerPixel * image.bytesPerSample;
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, uint32_t(0)));
    for (uint32_t y = 0; y < layout.height; ++y) {
        auto* row = const_cast<uint8_t*>(image.data.data()) + y * stride;
        if (TIFFWriteScanline(t, row, y, 0) < 0)
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
