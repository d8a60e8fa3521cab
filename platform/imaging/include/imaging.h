// Image primitives of the viewer: palette lookup, nearest-neighbour resize, copy,
// left shift, 16u to 8u reduction, histogram, mean and standard deviation.
//
// Every operation works on a region of interest: a pointer to its first pixel,
// the row step in bytes and the region's size. No operation keeps memory between
// calls; a region with no pixels does nothing.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace imaging {

struct Size {
    int width = 0;
    int height = 0;
};

// A rectangle: origin and size.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Interleaved channel layouts. AC4 has four bytes or words per pixel and never
// writes the fourth one.
enum class Channels { C1 = 1, C3 = 3, AC4 = 4 };

// The one definition of nearest neighbour: display coordinate x (zoomed image
// coordinates) shows image coordinate floor(x / zoom).
inline int64_t NearestSource(int64_t displayCoordinate, double zoom) {
    return static_cast<int64_t>(std::floor(static_cast<double>(displayCoordinate) / zoom));
}

// Palette lookup of one-channel samples. The palette has 2^bitSize entries and
// only the low bitSize bits of a sample index it, so no sample reads outside it.
// One palette word per entry and per output pixel.
void LutPalette8u32u(const uint8_t* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
                     const uint32_t* palette, int bitSize);
void LutPalette16u32u(const uint16_t* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
                      const uint32_t* palette, int bitSize);

// Nearest-neighbour resize with the zoom as scale factor in both directions.
// `src` points at the first pixel of the source region `srcRoi`, whose origin is
// given in image coordinates; only its pixels are read. The destination holds
// the display pixels `dstRect` (zoomed image coordinates): destination pixel
// (i, j) shows image pixel (NearestSource(dstRect.x + i), NearestSource(dstRect.y
// + j)), clamped into srcRoi.
void ResizeNearest8u(const uint8_t* src, ptrdiff_t srcStep, Rect srcRoi, uint8_t* dst, ptrdiff_t dstStep,
                     Rect dstRect, double zoom, Channels channels);

// Copy of a region, 8 or 16 bits per channel.
void Copy8u(const uint8_t* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
            Channels channels);
void Copy16u(const uint16_t* src, ptrdiff_t srcStep, uint16_t* dst, ptrdiff_t dstStep, Size roi,
             Channels channels);

// In-place left shift of every channel by `shift` (0 to 15).
void LShiftC16uI(uint16_t* srcDst, ptrdiff_t step, Size roi, Channels channels, int shift);

// 16 to 8 bits per channel with 256 levels and no dithering: each sample goes to
// the nearest level, round(v * 255 / 65535).
void ReduceBits16u8u(const uint16_t* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
                     Channels channels);

// Histogram with `levels` - 1 even bins between lower and upper: bin k counts
// the samples v with edge(k) <= v < edge(k + 1), edge(k) = lower + k * (upper -
// lower) / (levels - 1) in integer arithmetic. Samples outside are not counted.
// `hist` has levels - 1 entries; levels below 2 or upper <= lower count nothing.
void HistogramEven8u(const uint8_t* src, ptrdiff_t srcStep, Size roi, int32_t* hist, int levels, int lower,
                     int upper);
void HistogramEven16u(const uint16_t* src, ptrdiff_t srcStep, Size roi, int32_t* hist, int levels, int lower,
                      int upper);

// Mean and (population) standard deviation of a one-channel region; both 0 for
// an empty region.
void MeanStdDev8u(const uint8_t* src, ptrdiff_t srcStep, Size roi, double* mean, double* stdDev);
void MeanStdDev16u(const uint16_t* src, ptrdiff_t srcStep, Size roi, double* mean, double* stdDev);

}  // namespace imaging
