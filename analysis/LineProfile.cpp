#include "analysis/LineProfile.h"

#include <algorithm>

namespace histo {
namespace {

template <typename T>
uint32_t sampleOf(const T* p, int channels) {
    return channels == 1 ? p[0] : (uint32_t(p[0]) + p[1] + p[2]) / 3;
}

template <typename T>
void sums(const PixelImage& im, int selectedLine, int selectedColumn, std::vector<uint64_t>& columns,
          Profiles& out) {
    const size_t w = size_t(im.width);
    const int c = im.channels;
    // Column sums in 32 bits for blocks of lines that cannot overflow them, then
    // added into 64-bit totals.
    const int block = int(std::min<uint64_t>(uint64_t(im.height), (uint64_t(1) << 32) / 65536));
    std::vector<uint32_t> partial(w, 0);
    for (int y = 0; y < im.height; ++y) {
        const T* row = reinterpret_cast<const T*>(im.pixels + uint64_t(y) * im.rowStep);
        uint64_t rowSum = 0;
        if (c == 1) {
            for (size_t x = 0; x < w; ++x) {
                partial[x] += row[x];
                rowSum += row[x];
            }
        } else {
            for (size_t x = 0; x < w; ++x) {
                const uint32_t s = sampleOf(row + x * size_t(c), c);
                partial[x] += s;
                rowSum += s;
            }
        }
        if (y == selectedLine)
            for (size_t x = 0; x < w; ++x)
                out.horizontal[x] = sampleOf(row + x * size_t(c), c);
        out.vertical[size_t(y)] = selectedColumn >= 0 ? sampleOf(row + size_t(selectedColumn) * size_t(c), c)
                                                      : uint32_t(rowSum / w);
        if ((y + 1) % block == 0 || y + 1 == im.height) {
            for (size_t x = 0; x < w; ++x)
                columns[x] += partial[x];
            std::fill(partial.begin(), partial.end(), 0u);
        }
    }
}

}  // namespace

bool ComputeProfiles(const PixelImage& im, int selectedLine, int selectedColumn, Profiles& out) {
    if (!im.pixels || im.width <= 0 || im.height <= 0) {
        out = Profiles{};
        return false;
    }
    const bool line = selectedLine >= 0 && selectedLine < im.height;
    const bool column = selectedColumn >= 0 && selectedColumn < im.width;
    out.horizontal.assign(size_t(im.width), 0);
    out.vertical.assign(size_t(im.height), 0);
    std::vector<uint64_t> columns(size_t(im.width), 0);
    if (im.bytesPerChannel == 1)
        sums<uint8_t>(im, line ? selectedLine : -1, column ? selectedColumn : -1, columns, out);
    else
        sums<uint16_t>(im, line ? selectedLine : -1, column ? selectedColumn : -1, columns, out);
    if (!line)
        for (size_t x = 0; x < columns.size(); ++x)
            out.horizontal[x] = uint32_t(columns[x] / uint64_t(im.height));
    const size_t half = size_t(im.width) / 2;
    uint64_t left = 0, right = 0;
    for (size_t x = 0; x < half; ++x) {
        left += columns[x];
        right += columns[half + x];
    }
    const uint64_t pixels = uint64_t(half) * uint64_t(im.height);
    out.tap1Average = pixels ? int(left / pixels) : 0;
    out.tap2Average = pixels ? int(right / pixels) : 0;
    return true;
}

}  // namespace histo
