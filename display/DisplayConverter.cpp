#include "display/DisplayConverter.h"

#include <cmath>
#include <cstring>
#include <new>

#include "display/CurrentImage.h"
#include "display/ImageFormat.h"
#include "display/Palette.h"
#include "display/ZoomGeometry.h"
#include "imaging.h"

namespace display {
namespace {

using imaging::Channels;

template <typename T>
std::unique_ptr<T[]> TryAllocate(size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]);
}

imaging::Size SizeOf(const QRect& r) {
    return {r.width(), r.height()};
}

imaging::Rect RectOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// What one conversion works with: the source region and the destination.
struct Job {
    const uint8_t* source;  // image pixel (r.left, r.top)
    ptrdiff_t sourceStep;
    QRect r;  // image pixels
    QRect d;  // display pixels
    uint8_t* dst;
    ptrdiff_t dstStep;
    double zoom;
};

// The display's pixels: blue, green, red and an unused byte.
constexpr Channels kDisplayChannels = Channels::AC4;
constexpr int kDisplayBytes = 4;

void PaletteLookup8(const uint8_t* src, ptrdiff_t step, uint8_t* dst, ptrdiff_t dstStep, imaging::Size roi,
                    const Palette& palette, int bits) {
    imaging::LutPalette8u32u(src, step, dst, dstStep, roi, palette.rgb32.data(), bits);
}

void PaletteLookup16(const uint8_t* src, ptrdiff_t step, uint8_t* dst, ptrdiff_t dstStep, imaging::Size roi,
                     const Palette& palette, int bits) {
    imaging::LutPalette16u32u(reinterpret_cast<const uint16_t*>(src), step, dst, dstStep, roi,
                              palette.rgb32.data(), bits);
}

// Resizes a whole 8-bit scratch image of the region r into the display buffer.
void ResizeScratch(const uint8_t* scratch, ptrdiff_t scratchStep, const Job& j) {
    imaging::ResizeNearest8u(scratch, scratchStep, RectOf(j.r), j.dst, j.dstStep, RectOf(j.d), j.zoom,
                             kDisplayChannels);
}

bool ConvertMono8(const Job& j, const Palette& palette, int bits) {
    if (j.zoom == 1.0) {
        PaletteLookup8(j.source, j.sourceStep, j.dst, j.dstStep, SizeOf(j.r), palette, bits);
        return true;
    }
    const size_t w = size_t(j.d.width());
    auto plane = TryAllocate<uint8_t>(w * size_t(j.d.height()));
    if (!plane)
        return false;
    imaging::ResizeNearest8u(j.source, j.sourceStep, RectOf(j.r), plane.get(), ptrdiff_t(w), RectOf(j.d),
                             j.zoom, Channels::C1);
    PaletteLookup8(plane.get(), ptrdiff_t(w), j.dst, j.dstStep, SizeOf(j.d), palette, bits);
    return true;
}

bool ConvertMonoDeep(const Job& j, const Palette& palette, int bits) {
    if (j.zoom == 1.0) {
        PaletteLookup16(j.source, j.sourceStep, j.dst, j.dstStep, SizeOf(j.r), palette, bits);
        return true;
    }
    const ptrdiff_t step = ptrdiff_t(j.r.width()) * kDisplayBytes;
    auto scratch = TryAllocate<uint8_t>(size_t(step) * size_t(j.r.height()));
    if (!scratch)
        return false;
    PaletteLookup16(j.source, j.sourceStep, scratch.get(), step, SizeOf(j.r), palette, bits);
    ResizeScratch(scratch.get(), step, j);
    return true;
}

bool ConvertColour8(const Job& j) {
    if (j.zoom == 1.0)
        imaging::Copy8u(j.source, j.sourceStep, j.dst, j.dstStep, SizeOf(j.r), kDisplayChannels);
    else
        imaging::ResizeNearest8u(j.source, j.sourceStep, RectOf(j.r), j.dst, j.dstStep, RectOf(j.d), j.zoom,
                                 kDisplayChannels);
    return true;
}

bool ConvertColourDeep(const Job& j, int bitsPerChannel) {
    const int n = int(kDisplayChannels);
    const ptrdiff_t step16 = ptrdiff_t(j.r.width()) * n * 2;
    auto deep = TryAllocate<uint16_t>(size_t(j.r.width()) * n * size_t(j.r.height()));
    if (!deep)
        return false;
    imaging::Copy16u(reinterpret_cast<const uint16_t*>(j.source), j.sourceStep, deep.get(), step16,
                     SizeOf(j.r), kDisplayChannels);
    if (bitsPerChannel < 16)
        imaging::LShiftC16uI(deep.get(), step16, SizeOf(j.r), kDisplayChannels, 16 - bitsPerChannel);
    if (j.zoom == 1.0) {
        imaging::ReduceBits16u8u(deep.get(), step16, j.dst, j.dstStep, SizeOf(j.r), kDisplayChannels);
        return true;
    }
    const ptrdiff_t step8 = ptrdiff_t(j.r.width()) * n;
    auto reduced = TryAllocate<uint8_t>(size_t(step8) * size_t(j.r.height()));
    if (!reduced)
        return false;
    imaging::ReduceBits16u8u(deep.get(), step16, reduced.get(), step8, SizeOf(j.r), kDisplayChannels);
    ResizeScratch(reduced.get(), step8, j);
    return true;
}

}  // namespace

void DisplayConverter::ReleaseDisplayBuffer() {
    buffer_.reset();
    stride_ = 0;
    size_ = 0;
    buffered_ = QRect();
    converted_ = QRect();
}

QImage DisplayConverter::displayImage() const {
    if (!buffer_ || converted_.isEmpty())
        return QImage();
    return QImage(buffer_.get(), converted_.width(), converted_.height(), qsizetype(stride_),
                  QImage::Format_RGB32);
}

bool DisplayConverter::ConvertImage(const CurrentImage& image, QRect& rect, double zoom,
                                    const Palette& palette) {
    converted_ = QRect();
    const int channels = PixelChannels(image);
    if (channels == 0 || !(zoom > 0) || !std::isfinite(zoom))
        return false;
    const ImageFormat f = FormatOf(image.description);
    // A colour frame converted with three channels waits for the next one.
    if (f.colour && channels != kDisplayBytes)
        return false;
    if (!f.colour && (palette.empty() || palette.levels != (uint64_t(1) << f.bitDepth)))
        return false;

    const QRect r = ImageRegion(rect, zoom).intersected(QRect(0, 0, f.width, f.height));
    if (r.isEmpty())
        return false;
    const QRect d = DisplayRegion(r, zoom);
    const int64_t stride = int64_t(d.width()) * kDisplayBytes;
    const int64_t size = stride * d.height();

    if (r.size() != buffered_.size() || stride != stride_ || size != size_)
        ReleaseDisplayBuffer();
    buffered_ = r;
    if (!buffer_) {
        buffer_ = TryAllocate<uint8_t>(size_t(size));
        if (!buffer_) {
            ReleaseDisplayBuffer();
            return false;
        }
        // The fourth byte of a 32-bit pixel is never written by the conversions;
        // it stays opaque.
        std::memset(buffer_.get(), 0xFF, size_t(size));
        stride_ = stride;
        size_ = size;
    }

    const size_t pixelBytes = size_t(channels) * size_t(f.bytesPerChannel());
    Job job{image.pixelData.data() + size_t(r.y()) * image.rowStep + size_t(r.x()) * pixelBytes,
            ptrdiff_t(image.rowStep),
            r,
            zoom == 1.0 ? r : d,
            buffer_.get(),
            ptrdiff_t(stride),
            zoom};
    bool ok = false;
    switch (f.kind) {
        case ImageKind::Mono8:
            ok = ConvertMono8(job, palette, f.bitDepth);
            break;
        case ImageKind::MonoDeep:
            ok = ConvertMonoDeep(job, palette, f.bitDepth);
            break;
        case ImageKind::Colour8:
            ok = ConvertColour8(job);
            break;
        case ImageKind::ColourDeep:
            ok = ConvertColourDeep(job, f.bitsPerChannel);
            break;
    }
    if (!ok)
        return false;
    converted_ = job.d;
    rect = job.d;
    return true;
}

}  // namespace display
