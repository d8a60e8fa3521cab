// Per-channel operations on interleaved images: copy, left shift, 16u to 8u.
#include <cstring>

#include "Rows.h"

namespace imaging {
namespace {

using detail::Empty;
using detail::Row;

// Calls op(sample in, sample out) for every channel that carries a value: the
// first three of AC4, all of C1 and C3.
template <typename In, typename Out, typename Op>
void ForEachChannel(const In* src, ptrdiff_t srcStep, Out* dst, ptrdiff_t dstStep, Size roi,
                    Channels channels, Op op) {
    if (Empty(roi))
        return;
    const int n = static_cast<int>(channels);
    const int used = channels == Channels::AC4 ? 3 : n;
    for (int y = 0; y < roi.height; ++y) {
        const In* s = Row(src, srcStep, y);
        Out* d = Row(dst, dstStep, y);
        if (used == n) {
            const int count = roi.width * n;
            for (int i = 0; i < count; ++i)
                d[i] = op(s[i]);
            continue;
        }
        for (int x = 0; x < roi.width; ++x, s += n, d += n) {
            d[0] = op(s[0]);
            d[1] = op(s[1]);
            d[2] = op(s[2]);
        }
    }
}

template <typename T>
void CopyRegion(const T* src, ptrdiff_t srcStep, T* dst, ptrdiff_t dstStep, Size roi, Channels channels) {
    if (channels != Channels::AC4) {
        if (Empty(roi))
            return;
        const size_t bytes = size_t(roi.width) * static_cast<int>(channels) * sizeof(T);
        for (int y = 0; y < roi.height; ++y)
            std::memcpy(Row(dst, dstStep, y), Row(src, srcStep, y), bytes);
        return;
    }
    ForEachChannel(src, srcStep, dst, dstStep, roi, channels, [](T v) { return v; });
}

// round(v * 255 / 65535) without a division: exact for every 16-bit v.
inline uint8_t Reduce(uint16_t v) {
    const uint32_t t = uint32_t(v) * 255u + 32767u;
    return static_cast<uint8_t>((t + (t >> 16) + 1u) >> 16);
}

}  // namespace

void Copy8u(const uint8_t* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
            Channels channels) {
    CopyRegion(src, srcStep, dst, dstStep, roi, channels);
}

void Copy16u(const uint16_t* src, ptrdiff_t srcStep, uint16_t* dst, ptrdiff_t dstStep, Size roi,
             Channels channels) {
    CopyRegion(src, srcStep, dst, dstStep, roi, channels);
}

void LShiftC16uI(uint16_t* srcDst, ptrdiff_t step, Size roi, Channels channels, int shift) {
    if (shift <= 0 || shift > 15)
        return;
    ForEachChannel(srcDst, step, srcDst, step, roi, channels,
                   [shift](uint16_t v) { return static_cast<uint16_t>(v << shift); });
}

void ReduceBits16u8u(const uint16_t* src, ptrdiff_t srcStep, uint8_t* dst, ptrdiff_t dstStep, Size roi,
                     Channels channels) {
    ForEachChannel(src, srcStep, dst, dstStep, roi, channels, Reduce);
}

}  // namespace imaging
