// Nearest-neighbour resize: one source offset per destination column, computed
// once per call; a destination row whose source row equals the previous one's
// is copied from it.
#include <algorithm>
#include <cstring>
#include <vector>

#include "Rows.h"

namespace imaging {
namespace {

using detail::Row;

int64_t SourceIndex(int64_t display, double zoom, int first, int last) {
    return std::clamp<int64_t>(NearestSource(display, zoom), first, last);
}

template <int N>
void ResizeRow(const uint8_t* s, uint8_t* d, const int* offsets, int width) {
    for (int i = 0; i < width; ++i) {
        const uint8_t* p = s + offsets[i];
        if constexpr (N == 1) {
            d[i] = *p;
        } else if constexpr (N == 3) {
            std::memcpy(d + 3 * i, p, 3);
        } else {
            // AC4: keep the destination's fourth byte.
            uint32_t sv, dv;
            std::memcpy(&sv, p, 4);
            std::memcpy(&dv, d + 4 * i, 4);
            dv = (sv & 0x00FFFFFFu) | (dv & 0xFF000000u);
            std::memcpy(d + 4 * i, &dv, 4);
        }
    }
}

}  // namespace

void ResizeNearest8u(const uint8_t* src, ptrdiff_t srcStep, Rect srcRoi, uint8_t* dst, ptrdiff_t dstStep,
                     Rect dstRect, double zoom, Channels channels) {
    if (dstRect.width <= 0 || dstRect.height <= 0 || srcRoi.width <= 0 || srcRoi.height <= 0 || !(zoom > 0))
        return;
    const int n = static_cast<int>(channels);
    const int lastX = srcRoi.x + srcRoi.width - 1;
    const int lastY = srcRoi.y + srcRoi.height - 1;
    std::vector<int> offsets(static_cast<size_t>(dstRect.width));
    for (int i = 0; i < dstRect.width; ++i)
        offsets[i] =
            static_cast<int>(SourceIndex(int64_t(dstRect.x) + i, zoom, srcRoi.x, lastX) - srcRoi.x) * n;

    const size_t rowBytes = size_t(dstRect.width) * n;
    int64_t previous = -1;
    for (int j = 0; j < dstRect.height; ++j) {
        const int64_t sy = SourceIndex(int64_t(dstRect.y) + j, zoom, srcRoi.y, lastY);
        uint8_t* d = Row(dst, dstStep, j);
        if (sy == previous && channels != Channels::AC4) {
            std::memcpy(d, Row(dst, dstStep, j - 1), rowBytes);
            continue;
        }
        previous = sy;
        const uint8_t* s = Row(src, srcStep, static_cast<int>(sy - srcRoi.y));
        switch (channels) {
            case Channels::C1:
                ResizeRow<1>(s, d, offsets.data(), dstRect.width);
                break;
            case Channels::C3:
                ResizeRow<3>(s, d, offsets.data(), dstRect.width);
                break;
            case Channels::AC4:
                ResizeRow<4>(s, d, offsets.data(), dstRect.width);
                break;
        }
    }
}

}  // namespace imaging
