// Histogram with even bins, mean and standard deviation.
#include <cmath>
#include <vector>

#include "Rows.h"

namespace imaging {
namespace {

using detail::Empty;
using detail::Row;

// One bin number per possible sample value (-1: not counted), so counting is a
// table read per sample.
template <typename Sample>
void Histogram(const Sample* src, ptrdiff_t srcStep, Size roi, int32_t* hist, int levels, int lower,
               int upper) {
    if (levels < 2 || upper <= lower)
        return;
    const int bins = levels - 1;
    for (int k = 0; k < bins; ++k)
        hist[k] = 0;
    if (Empty(roi))
        return;
    constexpr int kValues = 1 << (8 * sizeof(Sample));
    std::vector<int32_t> binOf(kValues, -1);
    for (int k = 0; k < bins; ++k) {
        const int64_t from = lower + int64_t(k) * (upper - lower) / bins;
        const int64_t to = lower + int64_t(k + 1) * (upper - lower) / bins;
        for (int64_t v = std::max<int64_t>(from, 0); v < to && v < kValues; ++v)
            binOf[size_t(v)] = k;
    }
    for (int y = 0; y < roi.height; ++y) {
        const Sample* s = Row(src, srcStep, y);
        for (int x = 0; x < roi.width; ++x) {
            const int32_t bin = binOf[s[x]];
            if (bin >= 0)
                ++hist[bin];
        }
    }
}

template <typename Sample>
void MeanStdDev(const Sample* src, ptrdiff_t srcStep, Size roi, double* mean, double* stdDev) {
    double m = 0, sd = 0;
    if (!Empty(roi)) {
        // Exact integer sums: 2^31 pixels of 16 bits stay far below 2^64.
        uint64_t sum = 0;
        unsigned __int128 squares = 0;
        for (int y = 0; y < roi.height; ++y) {
            const Sample* s = Row(src, srcStep, y);
            uint64_t rowSquares = 0;
            for (int x = 0; x < roi.width; ++x) {
                sum += s[x];
                rowSquares += uint64_t(s[x]) * s[x];
            }
            squares += rowSquares;
        }
        const double n = double(roi.width) * roi.height;
        m = double(sum) / n;
        const double variance = double(squares) / n - m * m;
        sd = variance > 0 ? std::sqrt(variance) : 0.0;
    }
    if (mean)
        *mean = m;
    if (stdDev)
        *stdDev = sd;
}

}  // namespace

void HistogramEven8u(const uint8_t* src, ptrdiff_t srcStep, Size roi, int32_t* hist, int levels, int lower,
                     int upper) {
    Histogram(src, srcStep, roi, hist, levels, lower, upper);
}

void HistogramEven16u(const uint16_t* src, ptrdiff_t srcStep, Size roi, int32_t* hist, int levels, int lower,
                      int upper) {
    Histogram(src, srcStep, roi, hist, levels, lower, upper);
}

void MeanStdDev8u(const uint8_t* src, ptrdiff_t srcStep, Size roi, double* mean, double* stdDev) {
    MeanStdDev(src, srcStep, roi, mean, stdDev);
}

void MeanStdDev16u(const uint16_t* src, ptrdiff_t srcStep, Size roi, double* mean, double* stdDev) {
    MeanStdDev(src, srcStep, roi, mean, stdDev);
}

}  // namespace imaging
