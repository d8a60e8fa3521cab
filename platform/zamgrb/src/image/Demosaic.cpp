#include "Demosaic.h"

#ifdef __SSE2__
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>
#include <vector>

namespace zamgrb::image {

namespace {

template <typename O, uint32_t C>
inline void emit(O* px, uint32_t r, uint32_t g, uint32_t b, const ColourTables& t) {
    px[0] = O(t.blue[b]);
    px[1] = O(t.green[g]);
    px[2] = O(t.red[r]);
    if constexpr (C == 4)
        px[3] = 0;
}

// Index of a mirrored neighbour line or column (-1 -> 1, n -> n - 2).
inline uint32_t mirror(int64_t i, uint32_t n) {
    if (i < 0)
        i = -i;
    if (i >= int64_t(n))
        i = 2 * int64_t(n) - 2 - i;
    return uint32_t(std::clamp<int64_t>(i, 0, n - 1));
}

// One line with a mirrored column on each side, so that index x + 1 is column x.
template <typename T>
void padLine(const T* line, uint32_t width, T* padded) {
    std::memcpy(padded + 1, line, width * sizeof(T));
    padded[0] = line[mirror(-1, width)];
    padded[width + 1] = line[mirror(width, width)];
}

template <typename T>
inline uint32_t mean(T a, T b) {
    return (uint32_t(a) + b + 1) >> 1;
}

template <typename O, uint32_t C, bool Direct>
inline void put(O* px, uint32_t r, uint32_t g, uint32_t b, const ColourTables& t) {
    if constexpr (Direct) {
        px[0] = O(b);
        px[1] = O(g);
        px[2] = O(r);
        if constexpr (C == 4)
            px[3] = 0;
    } else {
        emit<O, C>(px, r, g, b, t);
    }
}

// Three padded lines around line y: index x + 1 is column x.
template <typename T>
struct Neighbourhood {
    const T *u, *c, *d;
    uint32_t own(uint32_t x) const { return c[x + 1]; }
    uint32_t beside(uint32_t x) const { return mean(c[x], c[x + 2]); }
    uint32_t vertical(uint32_t x) const { return mean(u[x + 1], d[x + 1]); }
    uint32_t diagonal(uint32_t x) const { return mean<uint32_t>(mean(u[x], u[x + 2]), mean(d[x], d[x + 2])); }
    uint32_t cross(uint32_t x) const { return mean<uint32_t>(beside(x), vertical(x)); }
};

// Green sites take the line's other colour from beside them and the third
// from above and below; red and blue sites take green from the cross and the
// third colour from the diagonals.
template <typename T, typename O, uint32_t C, bool Direct>
inline void bayerSite(const Neighbourhood<T>& n, uint32_t x, bool column1, bool blueLine, O* out,
                      const ColourTables& t) {
    O* px = out + size_t(x) * C;
    if (column1 == blueLine) {
        if (blueLine)
            put<O, C, Direct>(px, n.vertical(x), n.own(x), n.beside(x), t);
        else
            put<O, C, Direct>(px, n.beside(x), n.own(x), n.vertical(x), t);
    } else if (blueLine) {
        put<O, C, Direct>(px, n.diagonal(x), n.cross(x), n.own(x), t);
    } else {
        put<O, C, Direct>(px, n.own(x), n.cross(x), n.diagonal(x), t);
    }
}

#ifdef __SSE2__
// Byte lines without tables, 16 pixels at a time, the same means as above
// (_mm_avg_epu8 is exactly mean() on bytes). Blocks start at a pattern column 0
// site; answers where the blocks ended.
struct BgrShuffles {
    alignas(16) uint8_t mask[3][3][16];  // output vector, channel (B, G, R), byte
    constexpr BgrShuffles() : mask{} {
        for (int j = 0; j < 48; ++j)
            for (int ch = 0; ch < 3; ++ch)
                mask[j / 16][ch][j % 16] = j % 3 == ch ? uint8_t(j / 3) : 0x80;
    }
};
constexpr BgrShuffles kBgrShuffles;

inline __m128i pick(__m128i column0, __m128i a, __m128i b) {
    return _mm_or_si128(_mm_and_si128(column0, a), _mm_andnot_si128(column0, b));
}

template <uint32_t C>
__attribute__((target("ssse3"))) uint32_t bayerBlocks(const Neighbourhood<uint8_t>& n, uint32_t width,
                                                      bool blueLine, uint32_t first, uint8_t* out) {
    auto at = [](const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    auto store = [](uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); };
    const __m128i column0 = _mm_set1_epi16(0x00FF);
    uint32_t x = first;
    for (; x + 16 <= width; x += 16) {
        const __m128i own = at(n.c + x + 1);
        const __m128i side = _mm_avg_epu8(at(n.c + x), at(n.c + x + 2));
        const __m128i vert = _mm_avg_epu8(at(n.u + x + 1), at(n.d + x + 1));
        const __m128i diag = _mm_avg_epu8(_mm_avg_epu8(at(n.u + x), at(n.u + x + 2)),
                                          _mm_avg_epu8(at(n.d + x), at(n.d + x + 2)));
        const __m128i cross = _mm_avg_epu8(side, vert);
        __m128i r, g, b;
        if (blueLine) {
            r = pick(column0, diag, vert), g = pick(column0, cross, own), b = pick(column0, own, side);
        } else {
            r = pick(column0, side, own), g = pick(column0, own, cross), b = pick(column0, vert, diag);
        }
        if constexpr (C == 3) {
            for (int k = 0; k < 3; ++k) {
                auto m = [&](int ch) {
                    return _mm_load_si128(reinterpret_cast<const __m128i*>(kBgrShuffles.mask[k][ch]));
                };
                store(out + size_t(x) * 3 + 16 * k,
                      _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(b, m(0)), _mm_shuffle_epi8(g, m(1))),
                                   _mm_shuffle_epi8(r, m(2))));
            }
        } else {
            const __m128i zero = _mm_setzero_si128();
            const __m128i bgLow = _mm_unpacklo_epi8(b, g), bgHigh = _mm_unpackhi_epi8(b, g);
            const __m128i rxLow = _mm_unpacklo_epi8(r, zero), rxHigh = _mm_unpackhi_epi8(r, zero);
            uint8_t* p = out + size_t(x) * 4;
            store(p, _mm_unpacklo_epi16(bgLow, rxLow));
            store(p + 16, _mm_unpackhi_epi16(bgLow, rxLow));
            store(p + 32, _mm_unpacklo_epi16(bgHigh, rxHigh));
            store(p + 48, _mm_unpackhi_epi16(bgHigh, rxHigh));
        }
    }
    return x;
}
#endif

template <typename T, typename O, uint32_t C, bool Direct>
void bayerLine(const Neighbourhood<T>& n, uint32_t width, bool blueLine, uint32_t xStart, O* out,
               const ColourTables& t) {
    uint32_t x = 0;
    if (xStart & 1) {
        bayerSite<T, O, C, Direct>(n, x, true, blueLine, out, t);
        ++x;
    }
#ifdef __SSE2__
    if constexpr (Direct && std::is_same_v<T, uint8_t> && std::is_same_v<O, uint8_t>) {
        static const bool shuffles = __builtin_cpu_supports("ssse3");
        if (shuffles)
            x = bayerBlocks<C>(n, width, blueLine, x, out);
    }
#endif
    for (; x < width; ++x)
        bayerSite<T, O, C, Direct>(n, x, (x + xStart) & 1, blueLine, out, t);
}

template <typename T, typename O, uint32_t C, bool Direct>
void bayerPlane(const SamplePlane& plane, uint8_t start, const ColourTables& tables, O* out) {
    const uint32_t w = plane.width, h = plane.height;
    const auto* samples = static_cast<const T*>(plane.data);
    std::array<std::vector<T>, 3> lines;
    for (auto& l : lines)
        l.resize(size_t(w) + 2);
    auto fill = [&](std::vector<T>& l, int64_t y) {
        padLine(samples + size_t(mirror(y, h)) * w, w, l.data());
    };
    fill(lines[0], -1);
    fill(lines[1], 0);
    fill(lines[2], 1);
    const uint32_t xStart = start & 1, yStart = start >> 1;
    for (uint32_t y = 0; y < h; ++y) {
        const Neighbourhood<T> n{lines[0].data(), lines[1].data(), lines[2].data()};
        bayerLine<T, O, C, Direct>(n, w, (y + yStart) & 1, xStart, out + size_t(y) * w * C, tables);
        std::rotate(lines.begin(), lines.begin() + 1, lines.end());
        if (y + 1 < h)
            fill(lines[2], int64_t(y) + 2);
    }
}

template <typename T, typename O, uint32_t C>
void bayer(const SamplePlane& plane, uint8_t start, const ColourTables& tables, O* out) {
    if (tables.identity)
        bayerPlane<T, O, C, true>(plane, start, tables, out);
    else
        bayerPlane<T, O, C, false>(plane, start, tables, out);
}

// Colour of each TRUESENSE cell: 0 red, 1 green, 2 blue, 3 panchromatic.
constexpr std::array<uint8_t, 16> kTrueSense = {3, 2, 3, 1, 2, 3, 1, 3, 3, 1, 3, 0, 1, 3, 0, 3};

template <typename T, typename O, uint32_t C>
void trueSense(const SamplePlane& plane, uint8_t start, const ColourTables& tables, O* out) {
    const uint32_t w = plane.width, h = plane.height;
    const auto* samples = static_cast<const T*>(plane.data);
    auto colourAt = [&](uint32_t x, uint32_t y) {
        return kTrueSense[((y + start / 4) & 3) * 4 + ((x + start % 4) & 3)];
    };
    auto windowStart = [](uint32_t i, uint32_t n) {
        return n <= 5 ? 0 : std::min(i >= 2 ? i - 2 : 0, n - 5);
    };
    // Per line: the window's five lines summed per column and colour, then running
    // totals along the line, so a window's sum is one difference.
    std::array<std::vector<uint32_t>, 4> sums, counts;
    for (auto& v : sums)
        v.resize(size_t(w) + 1);
    for (auto& v : counts)
        v.resize(size_t(w) + 1);
    for (uint32_t y = 0; y < h; ++y, out += size_t(w) * C) {
        const uint32_t y0 = windowStart(y, h), y1 = std::min(y0 + 5, h);
        for (uint32_t k = 0; k < 4; ++k) {
            std::fill(sums[k].begin(), sums[k].end(), 0);
            std::fill(counts[k].begin(), counts[k].end(), 0);
        }
        for (uint32_t v = y0; v < y1; ++v)
            for (uint32_t u = 0; u < w; ++u) {
                const uint8_t colour = colourAt(u, v);
                sums[colour][u + 1] += samples[size_t(v) * w + u];
                ++counts[colour][u + 1];
            }
        for (uint32_t k = 0; k < 3; ++k)
            for (uint32_t u = 0; u < w; ++u) {
                sums[k][u + 1] += sums[k][u];
                counts[k][u + 1] += counts[k][u];
            }
        for (uint32_t x = 0; x < w; ++x) {
            const uint32_t x0 = windowStart(x, w), x1 = std::min(x0 + 5, w);
            std::array<uint32_t, 3> rgb{};
            for (uint32_t k = 0; k < 3; ++k) {
                const uint32_t sum = sums[k][x1] - sums[k][x0], count = counts[k][x1] - counts[k][x0];
                rgb[k] = count ? (sum + count / 2) / count : 0;
            }
            const uint8_t own = colourAt(x, y);
            if (own < 3)
                rgb[own] = samples[size_t(y) * w + x];
            emit<O, C>(out + size_t(x) * C, rgb[0], rgb[1], rgb[2], tables);
        }
    }
}

template <typename T, typename O, uint32_t C, bool Bayer>
void run(const SamplePlane& plane, uint8_t start, const ColourTables& tables, void* destination) {
    if constexpr (Bayer)
        bayer<T, O, C>(plane, start, tables, static_cast<O*>(destination));
    else
        trueSense<T, O, C>(plane, start, tables, static_cast<O*>(destination));
}

template <bool Bayer>
void dispatch(const SamplePlane& plane, uint8_t start, const ColourTables& tables, void* destination,
              const PixelLayout& layout) {
    const bool wide = layout.bytesPerChannel == 2, four = layout.channels == 4;
    if (plane.bytes) {
        if (wide)
            return four ? run<uint8_t, uint16_t, 4, Bayer>(plane, start, tables, destination)
                        : run<uint8_t, uint16_t, 3, Bayer>(plane, start, tables, destination);
        return four ? run<uint8_t, uint8_t, 4, Bayer>(plane, start, tables, destination)
                    : run<uint8_t, uint8_t, 3, Bayer>(plane, start, tables, destination);
    }
    if (wide)
        return four ? run<uint16_t, uint16_t, 4, Bayer>(plane, start, tables, destination)
                    : run<uint16_t, uint16_t, 3, Bayer>(plane, start, tables, destination);
    return four ? run<uint16_t, uint8_t, 4, Bayer>(plane, start, tables, destination)
                : run<uint16_t, uint8_t, 3, Bayer>(plane, start, tables, destination);
}

}  // namespace

void demosaicBayer(const SamplePlane& plane, uint8_t patternStart, const ColourTables& tables,
                   void* destination, const PixelLayout& layout) {
    dispatch<true>(plane, patternStart, tables, destination, layout);
}

void demosaicTrueSense(const SamplePlane& plane, uint8_t patternStart, const ColourTables& tables,
                       void* destination, const PixelLayout& layout) {
    dispatch<false>(plane, patternStart, tables, destination, layout);
}

}  // namespace zamgrb::image
