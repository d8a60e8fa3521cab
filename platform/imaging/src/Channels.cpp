// Per-channel operations on interleaved images: copy, left shift, 16u to 8u.
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// round(v * 255 / 65535) = round(v / 257) = floor((v + 128) / 257), with the
// division as a multiply-high; exact for every 16-bit v (the sum saturates at
// 65535, which still gives 255).
inline uint8_t Reduce(uint16_t v) {
    const uint32_t x = v > 65407 ? 65535u : uint32_t(v) + 128u;
    return static_cast<uint8_t>((x * 65281u) >> 24);
}

// A contiguous run of samples; eight at a time with SSE2 where it exists.
void ReduceRun(const uint16_t* s, uint8_t* d, int count) {
    int i = 0;
#ifdef __SSE2__
    const __m128i bias = _mm_set1_epi16(128);
    const __m128i factor = _mm_set1_epi16(short(65281));
    for (; i + 16 <= count; i += 16) {
        const __m128i a = _mm_adds_epu16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), bias);
        const __m128i b = _mm_adds_epu16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 8)), bias);
        const __m128i qa = _mm_srli_epi16(_mm_mulhi_epu16(a, factor), 8);
        const __m128i qb = _mm_srli_epi16(_mm_mulhi_epu16(b, factor), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packus_epi16(qa, qb));
    }
#endif
    for (; i < count; ++i)
        d[i] = Reduce(s[i]);
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
    if (channels == Channels::AC4) {
        ForEachChannel(src, srcStep, dst, dstStep, roi, channels, [](uint16_t v) { return Reduce(v); });
        return;
    }
    if (Empty(roi))
        return;
    for (int y = 0; y < roi.height; ++y)
        ReduceRun(Row(src, srcStep, y), Row(dst, dstStep, y), roi.width * static_cast<int>(channels));
}

}  // namespace imaging
