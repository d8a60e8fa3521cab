#include "player/TiffFile.h"

#include <fcntl.h>
#include <tiffio.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <bit>
#include <memory>
#include <vector>

namespace player {
namespace {

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

// libtiff's complaints about a file are answered by the player's own message.
int quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

template <typename T>
T field(TIFF* tiff, uint32_t tag, T fallback) {
    T value = fallback;
    TIFFGetFieldDefaulted(tiff, tag, &value);
    return value;
}

}  // namespace

FileStatus ReadTiff(const QString& path, const TiffAllocator& allocate) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileStatus::CannotOpen;
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), quiet, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), tmsize_t(kMaxPixels * 8));
    std::unique_ptr<TIFF, TiffCloser> tiff(TIFFFdOpenExt(fd, name.constData(), "r", options.get()));
    if (!tiff) {
        ::close(fd);  // the file never became libtiff's
        return FileStatus::Invalid;
    }
    TIFF* t = tiff.get();
    const auto width = field<uint32_t>(t, TIFFTAG_IMAGEWIDTH, 0),
               height = field<uint32_t>(t, TIFFTAG_IMAGELENGTH, 0);
    const auto bits = field<uint16_t>(t, TIFFTAG_BITSPERSAMPLE, 0),
               samples = field<uint16_t>(t, TIFFTAG_SAMPLESPERPIXEL, 0);
    const auto photometric = field<uint16_t>(t, TIFFTAG_PHOTOMETRIC, 0);
    const bool grey = samples == 1 && photometric == PHOTOMETRIC_MINISBLACK;
    const bool rgb = samples == 3 && photometric == PHOTOMETRIC_RGB;
    if (!AcceptableSize(width, height) || (bits != 8 && bits != 16) || !(grey || rgb) || TIFFIsTiled(t) ||
        field<uint16_t>(t, TIFFTAG_PLANARCONFIG, 0) != PLANARCONFIG_CONTIG ||
        field<uint16_t>(t, TIFFTAG_SAMPLEFORMAT, 0) != SAMPLEFORMAT_UINT)
        return FileStatus::Invalid;
    const size_t rowSamples = size_t(width) * samples;
    if (uint64_t(TIFFScanlineSize64(t)) != rowSamples * bits / 8)
        return FileStatus::Invalid;
    QImage* image =
        allocate(int(width), int(height), grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (!image)
        return FileStatus::CannotRead;
    if (bits == 8) {
        for (uint32_t y = 0; y < height; ++y)
            if (TIFFReadScanline(t, image->scanLine(int(y)), y, 0) < 0)
                return FileStatus::CannotRead;
        return FileStatus::Ok;
    }
    // Deep samples: all of them first, to learn the bits in use.
    std::vector<uint16_t> deep(rowSamples * height);
    for (uint32_t y = 0; y < height; ++y)
        if (TIFFReadScanline(t, deep.data() + y * rowSamples, y, 0) < 0)
            return FileStatus::CannotRead;
    const uint16_t top = deep.empty() ? 0 : *std::max_element(deep.begin(), deep.end());
    const int shift = std::max(0, int(std::bit_width(top)) - 8);
    for (uint32_t y = 0; y < height; ++y) {
        const uint16_t* in = deep.data() + y * rowSamples;
        uchar* out = image->scanLine(int(y));
        for (size_t i = 0; i < rowSamples; ++i)
            out[i] = uchar(in[i] >> shift);
    }
    return FileStatus::Ok;
}

}  // namespace player
