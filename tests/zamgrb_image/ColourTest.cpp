#include <gtest/gtest.h>

#include <string>

#include "Convert.h"
#include "RawFrame.h"

using rawframe::Sample;

namespace {

struct Rgb {
    uint32_t r, g, b;
};

// A scene whose colours change linearly, so bilinear interpolation is exact
// away from the borders.
Rgb linearScene(uint32_t x, uint32_t y) {
    return {x * 4 + 10, y * 5 + 20, x * 2 + y * 3 + 1};
}

uint32_t pick(const Rgb& c, char colour) {
    switch (colour) {
        case 'R':
            return c.r;
        case 'G':
            return c.g;
        case 'B':
            return c.b;
        default:
            return (c.r + c.g + c.b) / 3;  // panchromatic
    }
}

// Samples a scene through a colour filter pattern of size n x n (row by row),
// starting at `start` (column start % n, row start / n).
std::vector<uint8_t> throughPattern(const CameraDescription& d, const std::string& pattern, uint32_t n,
                                    uint32_t start, Rgb (*scene)(uint32_t, uint32_t), uint32_t scale) {
    rawframe::Order order;
    for (uint32_t y = 0; y < d.config.heightValid; ++y)
        for (uint32_t x = 0; x < d.config.widthValid; ++x)
            order.push_back({x, y});
    return rawframe::pack(d.config, rawframe::arrive(order, [&](uint32_t x, uint32_t y) {
                              const char colour = pattern[((y + start / n) % n) * n + (x + start % n) % n];
                              const uint32_t v = pick(scene(x, y), colour) * scale;
                              return Sample{v, v, v};
                          }));
}

char colourAt(const std::string& pattern, uint32_t n, uint32_t start, uint32_t x, uint32_t y) {
    return pattern[((y + start / n) % n) * n + (x + start % n) % n];
}

uint32_t channelOf(char colour) {
    return colour == 'B' ? 0 : colour == 'G' ? 1 : 2;
}

}  // namespace

TEST(Demosaic, BayerAllStartsNativeSitesAndInterior) {
    // The four starts written out: G R / B G, R G / G B, B G / G R, G B / R G.
    const std::string starts[4] = {"GRBG", "RGGB", "BGGR", "GBRG"};
    TapConfig taps{};
    SetTapFormat(1, &taps);
    // 40 columns: wide enough for the 16-pixel blocks of the byte path and a tail.
    constexpr uint32_t w = 40, h = 10;
    for (uint32_t depth : {8, 12})
        for (uint8_t start = 0; start < 4; ++start)
            for (uint8_t four : {0, 4}) {
                SCOPED_TRACE("start " + std::to_string(start) + ", " + std::to_string(depth) +
                             " bits, flags " + std::to_string(four));
                CameraDescription d = rawframe::describe(w, h, depth, depth == 12, taps);
                d.colorFormat = ZAMGRB_COLOR_BAYER;
                d.patternStart = start;
                const uint32_t scale = depth == 8 ? 1 : 16;
                const auto raw = throughPattern(d, starts[start], 2, 0, linearScene, scale);
                const uint8_t flags = uint8_t(four | (depth == 8 ? 0 : 1));
                const Converted c = convert(d, raw, flags);
                ASSERT_EQ(c.status, 0u);
                const uint32_t bytes = depth == 8 ? 1 : 2, channels = four ? 4 : 3;
                for (uint32_t y = 0; y < h; ++y)
                    for (uint32_t x = 0; x < w; ++x) {
                        const Rgb truth = linearScene(x, y);
                        const char native = colourAt(starts[start], 2, 0, x, y);
                        ASSERT_EQ(c.at(x, y, channels, bytes, channelOf(native)), pick(truth, native) * scale)
                            << x << "," << y;
                        if (four) {
                            ASSERT_EQ(c.at(x, y, channels, bytes, 3), 0u);
                        }
                        if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                            continue;
                        ASSERT_EQ(c.at(x, y, channels, bytes, 2), truth.r * scale) << x << "," << y;
                        ASSERT_EQ(c.at(x, y, channels, bytes, 1), truth.g * scale) << x << "," << y;
                        ASSERT_EQ(c.at(x, y, channels, bytes, 0), truth.b * scale) << x << "," << y;
                    }
            }
}

// On noise, every pixel (borders mirrored) against the means written out:
// the line's other colour beside a green site, the third above and below; at
// red and blue sites green from the mean of those two means, the third colour
// from the mean of the two diagonal means.
TEST(Demosaic, BayerNoiseMatchesTheMeansEverywhere) {
    TapConfig taps{};
    SetTapFormat(1, &taps);
    constexpr uint32_t w = 37, h = 6;
    for (uint8_t start = 0; start < 4; ++start) {
        CameraDescription d = rawframe::describe(w, h, 8, false, taps);
        d.colorFormat = ZAMGRB_COLOR_BAYER;
        d.patternStart = start;
        std::vector<uint8_t> raw(w * h);
        uint32_t seed = 7 + start;
        for (auto& v : raw)
            v = uint8_t((seed = seed * 1103515245u + 12345u) >> 16);
        auto at = [&](int x, int y) {
            x = x < 0 ? -x : x >= int(w) ? 2 * int(w) - 2 - x : x;
            y = y < 0 ? -y : y >= int(h) ? 2 * int(h) - 2 - y : y;
            return uint32_t(raw[y * w + x]);
        };
        auto mean = [](uint32_t a, uint32_t b) { return (a + b + 1) / 2; };
        const Converted c = convert(d, raw, 0);
        ASSERT_EQ(c.status, 0u);
        for (int y = 0; y < int(h); ++y)
            for (int x = 0; x < int(w); ++x) {
                const bool column1 = (x + (start & 1)) & 1, blueLine = (y + (start >> 1)) & 1;
                const uint32_t own = at(x, y), beside = mean(at(x - 1, y), at(x + 1, y));
                const uint32_t vertical = mean(at(x, y - 1), at(x, y + 1));
                const uint32_t diagonal =
                    mean(mean(at(x - 1, y - 1), at(x + 1, y - 1)), mean(at(x - 1, y + 1), at(x + 1, y + 1)));
                uint32_t r, g, b;
                if (column1 == blueLine) {
                    g = own;
                    r = blueLine ? vertical : beside;
                    b = blueLine ? beside : vertical;
                } else {
                    g = mean(beside, vertical);
                    r = blueLine ? diagonal : own;
                    b = blueLine ? own : diagonal;
                }
                ASSERT_EQ(c.at(x, y, 3, 1, 2), r) << "start " << int(start) << " at " << x << "," << y;
                ASSERT_EQ(c.at(x, y, 3, 1, 1), g) << "start " << int(start) << " at " << x << "," << y;
                ASSERT_EQ(c.at(x, y, 3, 1, 0), b) << "start " << int(start) << " at " << x << "," << y;
            }
    }
}

TEST(Demosaic, TrueSenseAllCellsNativeSitesAndFlatColour) {
    const std::string pattern = "PBPGBPGPPGPRGPRP";
    TapConfig taps{};
    SetTapFormat(3, &taps);
    for (uint8_t start = 0; start < 16; ++start) {
        SCOPED_TRACE("cell " + std::to_string(start));
        CameraDescription d = rawframe::describe(10, 9, 8, false, taps);
        d.colorFormat = ZAMGRB_COLOR_TRUESENSE;
        d.patternStart = start;
        // Two interleaved taps deliver pixels in image order, so the raw order is row by row.
        const auto flat = throughPattern(
            d, pattern, 4, start,
            [](uint32_t, uint32_t) {
                return Rgb{200, 100, 50};
            },
            1);
        Converted c = convert(d, flat, 0);
        ASSERT_EQ(c.status, 0u);
        for (uint32_t y = 0; y < 9; ++y)
            for (uint32_t x = 0; x < 10; ++x) {
                ASSERT_EQ(c.at(x, y, 3, 1, 2), 200u) << x << "," << y;
                ASSERT_EQ(c.at(x, y, 3, 1, 1), 100u) << x << "," << y;
                ASSERT_EQ(c.at(x, y, 3, 1, 0), 50u) << x << "," << y;
            }
        const auto ramp = throughPattern(d, pattern, 4, start, linearScene, 1);
        c = convert(d, ramp, 0);
        ASSERT_EQ(c.status, 0u);
        for (uint32_t y = 0; y < 9; ++y)
            for (uint32_t x = 0; x < 10; ++x) {
                const char native = colourAt(pattern, 4, start, x, y);
                if (native != 'P') {
                    ASSERT_EQ(c.at(x, y, 3, 1, channelOf(native)), pick(linearScene(x, y), native));
                }
            }
    }
}

TEST(Demosaic, BayerOffsetsGainsAndLookupTable) {
    TapConfig taps{};
    SetTapFormat(1, &taps);
    CameraDescription d = rawframe::describe(4, 4, 8, false, taps);
    d.colorFormat = ZAMGRB_COLOR_BAYER;
    std::vector<int32_t> levels(256), values(256);
    for (int i = 0; i < 256; ++i)
        levels[i] = i, values[i] = i == 100 ? 60 : i;  // the table runs on samples
    d.lutLevels = levels.data();
    d.lutValues = values.data();
    d.rgbOffsetRed = 10;
    d.rgbGainBlue = 3.0;
    const auto raw = throughPattern(
        d, "GRBG", 2, 0,
        [](uint32_t, uint32_t) {
            return Rgb{100, 80, 90};
        },
        1);
    const Converted c = convert(d, raw, 0);
    ASSERT_EQ(c.status, 0u);
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(c.at(x, y, 3, 1, 2), 70u);  // 100 -> 60 by the table, + 10
            EXPECT_EQ(c.at(x, y, 3, 1, 1), 80u);
            EXPECT_EQ(c.at(x, y, 3, 1, 0), 255u);  // 90 x 3 clamps
        }
}

// On noise, every colour that is not the pixel's own is the rounded mean of that
// colour's samples in the 5 x 5 window around it, moved inside at the borders.
TEST(Demosaic, TrueSenseNoiseMatchesTheWindowMeans) {
    const std::string pattern = "PBPGBPGPPGPRGPRP";
    TapConfig taps{};
    SetTapFormat(1, &taps);
    constexpr uint32_t w = 13, h = 11;
    for (uint8_t start = 0; start < 16; ++start) {
        CameraDescription d = rawframe::describe(w, h, 12, false, taps);
        d.colorFormat = ZAMGRB_COLOR_TRUESENSE;
        d.patternStart = start;
        std::vector<uint32_t> samples(w * h);
        uint32_t seed = 99 + start;
        for (auto& v : samples)
            v = (seed = seed * 1103515245u + 12345u) >> 20;  // 12 bits
        std::vector<rawframe::Sample> arrival;
        for (uint32_t v : samples)
            arrival.push_back({v, v, v});
        const Converted c = convert(d, rawframe::pack(d.config, arrival), 1);
        ASSERT_EQ(c.status, 0u);
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) {
                const uint32_t x0 = std::min(x < 2 ? 0 : x - 2, w - 5),
                               y0 = std::min(y < 2 ? 0 : y - 2, h - 5);
                for (char colour : {'R', 'G', 'B'}) {
                    uint32_t sum = 0, count = 0;
                    for (uint32_t v = y0; v < y0 + 5; ++v)
                        for (uint32_t u = x0; u < x0 + 5; ++u)
                            if (colourAt(pattern, 4, start, u, v) == colour) {
                                sum += samples[v * w + u];
                                ++count;
                            }
                    const uint32_t expected = colourAt(pattern, 4, start, x, y) == colour
                                                  ? samples[y * w + x]
                                                  : (sum + count / 2) / count;
                    ASSERT_EQ(c.at(x, y, 3, 2, channelOf(colour)), expected)
                        << "cell " << int(start) << " at " << x << "," << y << " " << colour;
                }
            }
    }
}
