#include "Demosaic.h"

#include <algorithm>
#include <array>
#include <cstring>
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

template <typename T, typename O, uint32_t C>
void bayerLine(const T* u, const T* c, const T* d, uint32_t width, bool blueLine, uint32_t xStart, O* out,
               const ColourTables& t) {
    for (uint32_t x = 0; x < width; ++x, out += C) {
        const uint32_t i = x + 1;
        const bool odd = (x + xStart) & 1;
        const uint32_t side = (c[i - 1] + c[i + 1] + 1) >> 1, vertical = (u[i] + d[i] + 1) >> 1;
        if (odd == blueLine) {  // green site: the line's colour beside it, the other above and below
            blueLine ? emit<O, C>(out, vertical, c[i], side, t) : emit<O, C>(out, side, c[i], vertical, t);
            continue;
        }
        const uint32_t cross = (c[i - 1] + c[i + 1] + u[i] + d[i] + 2) >> 2;
        const uint32_t diagonal = (u[i - 1] + u[i + 1] + d[i - 1] + d[i + 1] + 2) >> 2;
        blueLine ? emit<O, C>(out, diagonal, cross, c[i], t) : emit<O, C>(out, c[i], cross, diagonal, t);
    }
}

template <typename T, typename O, uint32_t C>
void bayer(const SamplePlane& plane, uint8_t start, const ColourTables& tables, O* out) {
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
        bayerLine<T, O, C>(lines[0].data(), lines[1].data(), lines[2].data(), w, (y + yStart) & 1, xStart,
                           out + size_t(y) * w * C, tables);
        std::rotate(lines.begin(), lines.begin() + 1, lines.end());
        if (y + 1 < h)
            fill(lines[2], int64_t(y) + 2);
    }
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
    for (uint32_t y = 0; y < h; ++y) {
        const uint32_t y0 = windowStart(y, h), y1 = std::min(y0 + 5, h);
        for (uint32_t x = 0; x < w; ++x, out += C) {
            const uint32_t x0 = windowStart(x, w), x1 = std::min(x0 + 5, w);
            std::array<uint32_t, 4> sum{}, count{};
            for (uint32_t v = y0; v < y1; ++v)
                for (uint32_t u = x0; u < x1; ++u) {
                    const uint8_t colour = colourAt(u, v);
                    sum[colour] += samples[size_t(v) * w + u];
                    ++count[colour];
                }
            std::array<uint32_t, 3> rgb{};
            for (uint32_t k = 0; k < 3; ++k)
                rgb[k] = count[k] ? (sum[k] + count[k] / 2) / count[k] : 0;
            const uint8_t own = colourAt(x, y);
            if (own < 3)
                rgb[own] = samples[size_t(y) * w + x];
            emit<O, C>(out, rgb[0], rgb[1], rgb[2], tables);
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
