// The image primitives against hand-worked results and straightforward
// reference loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "imaging.h"

using namespace imaging;

namespace {

std::vector<uint32_t> GreyPalette32(int levels) {
    std::vector<uint32_t> p(static_cast<size_t>(levels));
    for (int i = 0; i < levels; ++i)
        p[size_t(i)] = 0xFF000000u | uint32_t(i * 0x010101 & 0xFFFFFF) | uint32_t(i) << 20;
    return p;
}

}  // namespace

TEST(Lut, PaletteLookupOfEveryFormReadsOnlyItsRegion) {
    // 12-bit samples in a 5 x 3 image; the region is 3 x 2 at (1, 1). The sample
    // at (2, 2) carries bits above the depth, which must not index past the table.
    const int w = 5, h = 3, bits = 12;
    std::vector<uint16_t> image(size_t(w * h));
    std::iota(image.begin(), image.end(), 4090);
    image[2 * w + 2] = 0xF001;
    const std::vector<uint32_t> pal32 = GreyPalette32(1 << bits);

    const Size roi{3, 2};
    const uint16_t* src = image.data() + w + 1;
    std::vector<uint32_t> out32(size_t(roi.width * roi.height) + 1, 0xDEADBEEF);
    LutPalette16u32u(src, w * 2, reinterpret_cast<uint8_t*>(out32.data()), roi.width * 4, roi, pal32.data(),
                     bits);
    for (int y = 0; y < roi.height; ++y)
        for (int x = 0; x < roi.width; ++x)
            EXPECT_EQ(out32[size_t(y * roi.width + x)], pal32[image[size_t((y + 1) * w + x + 1)] & 0xFFF]);
    EXPECT_EQ(out32.back(), 0xDEADBEEF);

    // 8-bit samples go through the same tables.
    const std::vector<uint8_t> bytes = {0, 1, 254, 255};
    const std::vector<uint32_t> p8 = GreyPalette32(256);
    std::vector<uint32_t> o8(4);
    LutPalette8u32u(bytes.data(), 4, reinterpret_cast<uint8_t*>(o8.data()), 16, {4, 1}, p8.data(), 8);
    EXPECT_EQ(o8, (std::vector<uint32_t>{p8[0], p8[1], p8[254], p8[255]}));
    // Rows long enough for the eight-at-a-time path, with a tail and padded steps.
    std::vector<uint8_t> wide(3 * 40);
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = uint8_t(i * 37 + 11);
    std::vector<uint32_t> wideOut(3 * 38, 0);
    LutPalette8u32u(wide.data(), 40, reinterpret_cast<uint8_t*>(wideOut.data()), 38 * 4, {37, 3}, p8.data(),
                    8);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(wideOut[size_t(y * 38 + x)], p8[wide[size_t(y * 40 + x)]]) << x << "," << y;
        EXPECT_EQ(wideOut[size_t(y * 38 + 37)], 0u) << "padding is not written";
    }
}

TEST(Resize, NearestNeighbourFollowsTheOneDefinition) {
    // Source 7 x 5, value x + 10 y; every zoom and destination origin is checked
    // against floor(X / zoom), clamped into the region.
    const int w = 7, h = 5;
    std::vector<uint8_t> image(size_t(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image[size_t(y * w + x)] = uint8_t(x + 10 * y);
    struct Case {
        double zoom;
        Rect roi;
        Rect dst;
    };
    const Case cases[] = {
        {1.0, {0, 0, 7, 5}, {0, 0, 7, 5}},   {3.0, {1, 1, 3, 2}, {3, 3, 9, 6}},
        {0.25, {0, 0, 7, 5}, {0, 0, 2, 2}},  {0.5, {2, 0, 4, 4}, {1, 0, 2, 2}},
        {1.5, {1, 1, 4, 3}, {1, 1, 6, 5}},   {0.7, {2, 1, 5, 4}, {1, 0, 4, 3}},
        {8.0, {6, 4, 1, 1}, {48, 32, 8, 8}},
    };
    for (const Case& c : cases) {
        for (Channels ch : {Channels::C1, Channels::C3, Channels::AC4}) {
            const int n = int(ch);
            std::vector<uint8_t> src(image.size() * size_t(n));
            for (size_t i = 0; i < image.size(); ++i)
                for (int k = 0; k < n; ++k)
                    src[i * size_t(n) + size_t(k)] = uint8_t(image[i] + 100 * k);
            const int stride = c.dst.width * n + 2;
            std::vector<uint8_t> dst(size_t(stride * c.dst.height), 0x7F);
            ResizeNearest8u(src.data() + (c.roi.y * w + c.roi.x) * n, w * n, c.roi, dst.data(), stride, c.dst,
                            c.zoom, ch);
            for (int j = 0; j < c.dst.height; ++j) {
                for (int i = 0; i < c.dst.width; ++i) {
                    const int sx = std::clamp(int(std::floor((c.dst.x + i) / c.zoom)), c.roi.x,
                                              c.roi.x + c.roi.width - 1);
                    const int sy = std::clamp(int(std::floor((c.dst.y + j) / c.zoom)), c.roi.y,
                                              c.roi.y + c.roi.height - 1);
                    for (int k = 0; k < n; ++k) {
                        const uint8_t want = k == 3 ? 0x7F : uint8_t(image[size_t(sy * w + sx)] + 100 * k);
                        ASSERT_EQ(dst[size_t(j * stride + i * n + k)], want)
                            << "zoom " << c.zoom << " channels " << n << " at " << i << "," << j;
                    }
                }
            }
        }
    }
}

TEST(Channels, CopyShiftAndReduceLeaveTheFourthChannelAlone) {
    // Two AC4 pixels of 10-bit channels.
    std::vector<uint16_t> src = {1023, 512, 1, 9999, 0, 4, 1000, 7777};
    std::vector<uint16_t> work(8, 0xAAAA);
    Copy16u(src.data(), 16, work.data(), 16, {2, 1}, Channels::AC4);
    EXPECT_EQ(work, (std::vector<uint16_t>{1023, 512, 1, 0xAAAA, 0, 4, 1000, 0xAAAA}));
    LShiftC16uI(work.data(), 16, {2, 1}, Channels::AC4, 6);
    EXPECT_EQ(work, (std::vector<uint16_t>{65472, 32768, 64, 0xAAAA, 0, 256, 64000, 0xAAAA}));
    std::vector<uint8_t> out(8, 0x55);
    ReduceBits16u8u(work.data(), 16, out.data(), 8, {2, 1}, Channels::AC4);
    EXPECT_EQ(out, (std::vector<uint8_t>{255, 128, 0, 0x55, 0, 1, 249, 0x55}));

    std::vector<uint8_t> c3 = {1, 2, 3, 4, 5, 6}, c3out(6);
    Copy8u(c3.data(), 6, c3out.data(), 6, {2, 1}, Channels::C3);
    EXPECT_EQ(c3out, c3);
}

TEST(Channels, ReductionIsRoundToNearestOfEverySixteenBitValue) {
    std::vector<uint16_t> all(65536);
    std::iota(all.begin(), all.end(), 0);
    std::vector<uint8_t> out(all.size());
    ReduceBits16u8u(all.data(), 0, out.data(), 0, {65536, 1}, Channels::C1);
    for (uint32_t v = 0; v < 65536; ++v)
        ASSERT_EQ(out[v], uint8_t(std::lround(v * 255.0 / 65535.0))) << v;
}

TEST(Statistics, HistogramBinsAndMoments) {
    // Values 0..9 once each; in the 16-bit run 4096 lies on the upper edge and is not counted.
    std::vector<uint8_t> v8(10);
    std::iota(v8.begin(), v8.end(), 0);
    std::vector<int32_t> hist(4, -1);
    HistogramEven8u(v8.data(), 10, {10, 1}, hist.data(), 5, 0, 10);  // edges 0 2 5 7 10
    EXPECT_EQ(hist, (std::vector<int32_t>{2, 3, 2, 3}));
    HistogramEven8u(v8.data(), 10, {10, 1}, hist.data(), 3, 4, 8);  // edges 4 6 8
    EXPECT_EQ(hist[0], 2);
    EXPECT_EQ(hist[1], 2);

    std::vector<uint16_t> v16 = {0, 4095, 4096, 300};
    std::vector<int32_t> h16(2);
    HistogramEven16u(v16.data(), 8, {4, 1}, h16.data(), 3, 0, 4096);
    EXPECT_EQ(h16, (std::vector<int32_t>{2, 1}));

    double mean = -1, sd = -1;
    MeanStdDev8u(v8.data(), 10, {10, 1}, &mean, &sd);
    EXPECT_DOUBLE_EQ(mean, 4.5);
    EXPECT_NEAR(sd, std::sqrt(8.25), 1e-12);
    const std::vector<uint16_t> flat(6, 65535);
    MeanStdDev16u(flat.data(), 4, {2, 3}, &mean, &sd);
    EXPECT_DOUBLE_EQ(mean, 65535.0);
    EXPECT_DOUBLE_EQ(sd, 0.0);
    MeanStdDev16u(flat.data(), 4, {0, 3}, &mean, &sd);
    EXPECT_EQ(mean, 0.0);
}
