#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Convert.h"
#include "RawFrame.h"

using rawframe::Sample;

namespace {

const std::string kTrueSense = "PBPGBPGPPGPRGPRP";

char colourAt(const std::string& pattern, uint32_t n, uint32_t start, uint32_t x, uint32_t y) {
    return pattern[((y + start / n) % n) * n + (x + start % n) % n];
}

uint32_t channelOf(char colour) {
    return colour == 'B' ? 0 : colour == 'G' ? 1 : 2;
}

// Noise of `depth` bits, one sample per pixel in image order, and its raw frame.
std::vector<uint32_t> noise(size_t count, uint32_t depth, uint32_t seed) {
    std::vector<uint32_t> samples(count);
    for (auto& v : samples)
        v = (seed = seed * 1103515245u + 12345u) >> (32 - depth);
    return samples;
}

std::vector<uint8_t> rawOf(const CameraDescription& d, const std::vector<uint32_t>& samples) {
    std::vector<Sample> arrival;
    for (uint32_t v : samples)
        arrival.push_back({v, v, v});
    return rawframe::pack(d.config, arrival);
}

}  // namespace

// On noise, every pixel (borders mirrored) against the means written out:
// the line's other colour beside a green site, the third above and below; at
// red and blue sites green from the mean of those two means, the third colour
// from the mean of the two diagonal means. 37 columns: the 16-pixel blocks of
// the byte path and a tail.
TEST(Demosaic, BayerNoiseMatchesTheMeansEverywhere) {
    TapConfig taps{};
    SetTapFormat(1, &taps);
    constexpr uint32_t w = 37, h = 6;
    for (uint32_t depth : {8, 12})
        for (uint8_t start = 0; start < 4; ++start)
            for (uint8_t four : {0, 4}) {
                SCOPED_TRACE("start " + std::to_string(start) + ", " + std::to_string(depth) +
                             " bits, flags " + std::to_string(four));
                CameraDescription d = rawframe::describe(w, h, depth, depth == 12, taps);
                d.colorFormat = ZAMGRB_COLOR_BAYER;
                d.patternStart = start;
                const std::vector<uint32_t> samples = noise(w * h, depth, 7 + start);
                auto at = [&](int x, int y) {
                    x = x < 0 ? -x : x >= int(w) ? 2 * int(w) - 2 - x : x;
                    y = y < 0 ? -y : y >= int(h) ? 2 * int(h) - 2 - y : y;
                    return samples[y * w + x];
                };
                auto mean = [](uint32_t a, uint32_t b) { return (a + b + 1) / 2; };
                const Converted c = convert(d, rawOf(d, samples), uint8_t(four | (depth == 8 ? 0 : 1)));
                ASSERT_EQ(c.status, 0u);
                const uint32_t bytes = depth == 8 ? 1 : 2, channels = four ? 4 : 3;
                for (int y = 0; y < int(h); ++y)
                    for (int x = 0; x < int(w); ++x) {
                        const bool column1 = (x + (start & 1)) & 1, blueLine = (y + (start >> 1)) & 1;
                        const uint32_t own = at(x, y), beside = mean(at(x - 1, y), at(x + 1, y));
                        const uint32_t vertical = mean(at(x, y - 1), at(x, y + 1));
                        const uint32_t diagonal = mean(mean(at(x - 1, y - 1), at(x + 1, y - 1)),
                                                       mean(at(x - 1, y + 1), at(x + 1, y + 1)));
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
                        ASSERT_EQ(c.at(x, y, channels, bytes, 2), r) << x << "," << y;
                        ASSERT_EQ(c.at(x, y, channels, bytes, 1), g) << x << "," << y;
                        ASSERT_EQ(c.at(x, y, channels, bytes, 0), b) << x << "," << y;
                        if (four) {
                            ASSERT_EQ(c.at(x, y, channels, bytes, 3), 0u);
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
    std::vector<uint32_t> samples;
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 4; ++x) {
            const char colour = colourAt("GRBG", 2, 0, x, y);
            samples.push_back(colour == 'R' ? 100 : colour == 'G' ? 80 : 90);
        }
    const Converted c = convert(d, rawOf(d, samples), 0);
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
    TapConfig taps{};
    SetTapFormat(1, &taps);
    constexpr uint32_t w = 13, h = 11;
    for (uint32_t depth : {8, 12})
        for (uint8_t start = 0; start < 16; ++start) {
            CameraDescription d = rawframe::describe(w, h, depth, false, taps);
            d.colorFormat = ZAMGRB_COLOR_TRUESENSE;
            d.patternStart = start;
            const std::vector<uint32_t> samples = noise(w * h, depth, 99 + start);
            const uint32_t bytes = depth == 8 ? 1 : 2;
            const Converted c = convert(d, rawOf(d, samples), depth == 8 ? 0 : 1);
            ASSERT_EQ(c.status, 0u);
            for (uint32_t y = 0; y < h; ++y)
                for (uint32_t x = 0; x < w; ++x) {
                    const uint32_t x0 = std::min(x < 2 ? 0 : x - 2, w - 5),
                                   y0 = std::min(y < 2 ? 0 : y - 2, h - 5);
                    for (char colour : {'R', 'G', 'B'}) {
                        uint32_t sum = 0, count = 0;
                        for (uint32_t v = y0; v < y0 + 5; ++v)
                            for (uint32_t u = x0; u < x0 + 5; ++u)
                                if (colourAt(kTrueSense, 4, start, u, v) == colour) {
                                    sum += samples[v * w + u];
                                    ++count;
                                }
                        const uint32_t expected = colourAt(kTrueSense, 4, start, x, y) == colour
                                                      ? samples[y * w + x]
                                                      : (sum + count / 2) / count;
                        ASSERT_EQ(c.at(x, y, 3, bytes, channelOf(colour)), expected)
                            << depth << " bits, cell " << int(start) << " at " << x << "," << y << " "
                            << colour;
                    }
                }
        }
}
