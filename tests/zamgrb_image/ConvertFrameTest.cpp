#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "Convert.h"
#include "CustomOrders.h"
#include "RawFrame.h"
#include "StandardOrders.h"

using rawframe::Sample;

namespace {

constexpr uint32_t kHeight = 5;

uint32_t greyAt(uint32_t x, uint32_t y, uint32_t depth) {
    return (x * 37 + y * 101 + 5) & ((1u << depth) - 1);
}

// Converts a grey frame with flags 0 and 1 and compares every pixel.
void checkGrey(const CameraDescription& d, const rawframe::Order& order, const std::vector<bool>& covered) {
    const uint32_t depth = d.config.bitDepth, w = d.config.widthValid;
    const auto raw = rawframe::pack(d.config, rawframe::arrive(order, [&](uint32_t x, uint32_t y) {
                                        const uint32_t v = greyAt(x, y, depth);
                                        return Sample{v, v, v};
                                    }));
    for (uint8_t flags : {0, 1}) {
        const Converted c = convert(d, raw, flags);
        ASSERT_EQ(c.status, 0u);
        const uint32_t bytes = (flags && depth > 8) ? 2 : 1;
        ASSERT_EQ(c.rowStep, w * bytes);
        for (uint32_t y = 0; y < d.config.heightValid; ++y)
            for (uint32_t x = 0; x < w; ++x) {
                const uint32_t v = greyAt(x, y, depth);
                const uint32_t expected = !covered[y * w + x] ? 0 : bytes == 2 ? v : v >> (depth - 8);
                ASSERT_EQ(c.at(x, y, 1, bytes), expected)
                    << "x " << x << " y " << y << " flags " << int(flags);
            }
    }
}

// Columns 0 .. n-1: one tap, left to right.
std::vector<uint32_t> leftToRight(uint32_t n) {
    std::vector<uint32_t> columns(n);
    for (uint32_t i = 0; i < n; ++i)
        columns[i] = i;
    return columns;
}

std::vector<bool> coverage(const rawframe::Order& order, uint32_t w, uint32_t h) {
    std::vector<bool> covered(size_t(w) * h, false);
    for (const auto& p : order)
        covered[p.y * w + p.x] = true;
    return covered;
}

}  // namespace

TEST(ConvertFrame, EveryStandardFormatDepthAndPacking) {
    for (const auto& f : standardOrders()) {
        TapConfig taps{};
        ASSERT_EQ(SetTapFormat(f.format, &taps), 0u);
        const auto w = uint32_t(f.columns.size());
        const auto order = rawframe::rowsOf(f.columns, kHeight);
        for (uint32_t depth : {8, 10, 12, 14, 16})
            for (bool packed : {false, true}) {
                SCOPED_TRACE("format " + std::to_string(f.format) + ", " + std::to_string(depth) + " bits" +
                             (packed ? ", packed" : ""));
                checkGrey(rawframe::describe(w, kHeight, depth, packed, taps), order,
                          std::vector<bool>(w * kHeight, true));
            }
    }
}

TEST(ConvertFrame, CustomGeometries) {
    for (const auto& c : customOrders())
        for (uint32_t depth : {8, 12})
            for (bool packed : {false, true}) {
                SCOPED_TRACE(c.name + ", " + std::to_string(depth) + " bits" + (packed ? ", packed" : ""));
                checkGrey(rawframe::describe(c.width, c.height, depth, packed, c.taps), c.order,
                          coverage(c.order, c.width, c.height));
            }
}

TEST(ConvertFrame, RowStepAndBitsPerPixelByFlags) {
    struct Case {
        const char* name;
        uint32_t depth;
        uint8_t colorFormat;
        uint8_t flags;
        uint64_t rowStep;
        uint32_t bits;
    };
    const Case cases[] = {
        {"mono8", 8, 0, 0, 10, 8},     {"mono8", 8, 0, 1, 10, 8},         {"mono8", 8, 0, 4, 10, 8},
        {"mono8", 8, 0, 5, 10, 8},     {"mono8", 8, 0, 7, 10, 8},         {"mono12", 12, 0, 0, 10, 8},
        {"mono12", 12, 0, 1, 20, 12},  {"mono12", 12, 0, 4, 10, 8},       {"mono12", 12, 0, 5, 20, 12},
        {"mono12", 12, 0, 7, 20, 16},  {"rgb24", 24, 0, 0, 30, 24},       {"rgb24", 24, 0, 1, 30, 24},
        {"rgb24", 24, 0, 4, 40, 32},   {"rgb24", 24, 0, 5, 40, 32},       {"rgb24", 24, 0, 7, 40, 32},
        {"rgb30", 30, 0, 0, 30, 24},   {"rgb30", 30, 0, 1, 60, 30},       {"rgb30", 30, 0, 4, 40, 32},
        {"rgb30", 30, 0, 5, 80, 40},   {"rgb30", 30, 0, 7, 80, 40},       {"bayer12", 12, 1, 0, 30, 24},
        {"bayer12", 12, 1, 1, 60, 36}, {"bayer12", 12, 1, 4, 40, 32},     {"bayer12", 12, 1, 5, 80, 48},
        {"bayer8", 8, 1, 5, 40, 32},   {"truesense10", 10, 4, 5, 80, 40},
    };
    for (const auto& c : cases) {
        TapConfig taps{};
        SetTapFormat(1, &taps);
        CameraDescription d = rawframe::describe(10, 4, c.depth, false, taps);
        d.colorFormat = c.colorFormat;
        uint64_t step = 0;
        uint32_t bits = 0;
        ASSERT_EQ(ConvertFrame(&d, nullptr, nullptr, &step, c.flags, &bits), 0u) << c.name;
        EXPECT_EQ(step, c.rowStep) << c.name << " flags " << int(c.flags);
        EXPECT_EQ(bits, c.bits) << c.name << " flags " << int(c.flags);
    }
}

TEST(ConvertFrame, RefusesDescriptionsThatContradictThemselves) {
    TapConfig taps{};
    SetTapFormat(10, &taps);
    const CameraDescription good = rawframe::describe(16, 4, 12, true, taps);
    struct Case {
        const char* name;
        void (*change)(CameraDescription&);
    };
    const Case cases[] = {
        {"zero width", [](CameraDescription& d) { d.config.widthValid = 0; }},
        {"zero height", [](CameraDescription& d) { d.config.heightValid = 0; }},
        {"narrower than the taps", [](CameraDescription& d) { d.config.widthValid = 3; }},
        {"9 bits", [](CameraDescription& d) { d.config.bitDepth = 9; }},
        {"32 bits", [](CameraDescription& d) { d.config.bitDepth = 32; }},
        {"colour format 2", [](CameraDescription& d) { d.colorFormat = 2; }},
        {"Bayer at RGB depth", [](CameraDescription& d) { d.colorFormat = 1, d.config.bitDepth = 24; }},
        {"Bayer start 4", [](CameraDescription& d) { d.colorFormat = 1, d.patternStart = 4; }},
        {"TRUESENSE cell 16", [](CameraDescription& d) { d.colorFormat = 4, d.patternStart = 16; }},
        {"six taps", [](CameraDescription& d) { d.config.tapConfig.taps = 6; }},
        {"three channels", [](CameraDescription& d) { d.config.tapConfig.channels = 3; }},
        {"alternate three taps", [](CameraDescription& d) { d.config.tapConfig.taps = 3; }},
        {"huge", [](CameraDescription& d) { d.config.widthValid = d.config.heightValid = 0x80000000u; }},
    };
    std::vector<uint8_t> raw(16 * 4 * 8), destination(16 * 4 * 8);
    for (const auto& c : cases) {
        CameraDescription d = good;
        if (std::string(c.name) == "alternate three taps")
            d.config.tapConfig.tapOutput = 1;
        c.change(d);
        uint64_t step = 99;
        uint32_t bits = 99;
        EXPECT_NE(ConvertFrame(&d, nullptr, nullptr, &step, 1, &bits), 0u) << c.name;
        EXPECT_EQ(step, 0u) << c.name;
        EXPECT_EQ(bits, 0u) << c.name;
        EXPECT_NE(ConvertFrame(&d, raw.data(), destination.data(), &step, 1, &bits), 0u) << c.name;
    }
    uint64_t step = 0;
    EXPECT_NE(ConvertFrame(nullptr, nullptr, nullptr, &step, 0, nullptr), 0u);
    EXPECT_NE(ConvertFrame(&good, nullptr, destination.data(), &step, 0, nullptr), 0u);
    EXPECT_EQ(ConvertFrame(&good, nullptr, nullptr, &step, 0, nullptr), 0u);
}

TEST(ConvertFrame, LookupTableOnTwelveBitMonochrome) {
    TapConfig taps{};
    SetTapFormat(1, &taps);
    CameraDescription d = rawframe::describe(64, 3, 12, true, taps);
    std::vector<int32_t> levels(4096), values(4096);
    for (int i = 0; i < 4096; ++i)
        levels[i] = i, values[i] = 4095 - i;
    values[7] = 99999;  // beyond the depth: clamped
    values[8] = -5;     // below zero: clamped
    d.lutLevels = levels.data();
    d.lutValues = values.data();
    auto level = [](uint32_t x, uint32_t y) { return x * 64 + y * 7 + 1; };
    const auto raw = rawframe::pack(
        d.config, rawframe::arrive(rawframe::rowsOf(leftToRight(64), 3), [&](uint32_t x, uint32_t y) {
            return Sample{0, level(x, y), 0};
        }));
    for (uint8_t flags : {0, 1}) {
        const Converted c = convert(d, raw, flags);
        ASSERT_EQ(c.status, 0u);
        for (uint32_t y = 0; y < 3; ++y)
            for (uint32_t x = 0; x < 64; ++x) {
                const uint32_t l = level(x, y);
                const uint32_t mapped = l == 7 ? 4095 : l == 8 ? 0 : 4095 - l;
                ASSERT_EQ(c.at(x, y, 1, flags ? 2 : 1), flags ? mapped : mapped >> 4) << x << "," << y;
            }
    }
}

TEST(ConvertFrame, NormaliseStretchesTheUsedRange) {
    TapConfig taps{};
    SetTapFormat(1, &taps);
    const CameraDescription d = rawframe::describe(4, 1, 12, false, taps);
    const auto raw = rawframe::pack(d.config, {{0, 100, 0}, {0, 600, 0}, {0, 1100, 0}, {0, 100, 0}});
    const Converted c = convert(d, raw, 7);
    ASSERT_EQ(c.status, 0u);
    EXPECT_EQ(c.bitsPerPixel, 16u);
    EXPECT_EQ(c.at(0, 0, 1, 2), 0u);
    EXPECT_EQ(c.at(1, 0, 1, 2), 32768u);
    EXPECT_EQ(c.at(2, 0, 1, 2), 65535u);
}

namespace {

struct RgbCase {
    const char* name;
    uint32_t depth;
    bool packed;
    int8_t offsets[3];  // red, green, blue
    double gains[3];
};

}  // namespace

TEST(ConvertFrame, RgbOffsetsAndGainsClamp) {
    const RgbCase cases[] = {
        {"unchanged", 24, true, {0, 0, 0}, {0, 0, 0}},
        {"offsets", 24, false, {10, -20, 127}, {1, 1, 1}},
        {"gains", 24, true, {0, 0, 0}, {2.0, 0.5, 0}},
        {"both, 10 bits", 30, false, {-128, 5, 0}, {1.5, 0, 3}},
        {"both, 12 bits", 36, true, {3, 0, -7}, {0.25, 1, 1}},
    };
    TapConfig taps{};
    SetTapFormat(1, &taps);
    for (const auto& rc : cases) {
        SCOPED_TRACE(rc.name);
        CameraDescription d = rawframe::describe(16, 4, rc.depth, rc.packed, taps);
        d.rgbOffsetRed = rc.offsets[0], d.rgbOffsetGreen = rc.offsets[1], d.rgbOffsetBlue = rc.offsets[2];
        d.rgbGainRed = rc.gains[0], d.rgbGainGreen = rc.gains[1], d.rgbGainBlue = rc.gains[2];
        const uint32_t bits = rc.depth / 3, top = (1u << bits) - 1;
        auto colour = [&](uint32_t x, uint32_t y) {
            return Sample{(x * 61 + y) * top / 1000 & top, (y * 251 + x * 3) & top,
                          (x * 17 + y * 59 + 1) * top / 255 & top};
        };
        const auto raw =
            rawframe::pack(d.config, rawframe::arrive(rawframe::rowsOf(leftToRight(16), 4), colour));
        const Converted c = convert(d, raw, 5);
        ASSERT_EQ(c.status, 0u);
        const uint32_t bytes = bits > 8 ? 2 : 1;
        for (uint32_t y = 0; y < 4; ++y)
            for (uint32_t x = 0; x < 16; ++x) {
                const Sample s = colour(x, y);
                const uint32_t in[3] = {s.r, s.g, s.b};
                for (int k = 0; k < 3; ++k) {
                    const double gain = rc.gains[k] == 0 ? 1.0 : rc.gains[k];
                    const double v = (in[k] + rc.offsets[k] * double(1u << (bits - 8))) * gain;
                    const auto expected = uint32_t(std::lround(std::clamp(v, 0.0, double(top))));
                    // Output channels are B, G, R.
                    ASSERT_EQ(c.at(x, y, 4, bytes, 2 - k), expected)
                        << "x " << x << " y " << y << " colour " << k;
                }
                ASSERT_EQ(c.at(x, y, 4, bytes, 3), 0u);
            }
    }
}

TEST(ConvertFrame, LookupTableRunsOnRgb24) {
    TapConfig taps{};
    SetTapFormat(1, &taps);
    CameraDescription d = rawframe::describe(256, 1, 24, true, taps);
    std::vector<int32_t> levels(768), values(768);
    for (int i = 0; i < 256; ++i) {
        levels[i] = levels[256 + i] = levels[512 + i] = i;
        values[i] = 255 - i;      // red
        values[256 + i] = i / 2;  // green
        values[512 + i] = i;      // blue
    }
    d.lutLevels = levels.data();
    d.lutValues = values.data();
    d.rgbOffsetBlue = 1;
    const auto raw = rawframe::pack(
        d.config, rawframe::arrive(rawframe::rowsOf(leftToRight(256), 1), [](uint32_t x, uint32_t) {
            return Sample{x, x, x};
        }));
    const Converted c = convert(d, raw, 0);
    ASSERT_EQ(c.status, 0u);
    for (uint32_t x = 0; x < 256; ++x) {
        EXPECT_EQ(c.at(x, 0, 3, 1, 0), std::min(x + 1, 255u));  // the offset follows the table
        EXPECT_EQ(c.at(x, 0, 3, 1, 1), x / 2);
        EXPECT_EQ(c.at(x, 0, 3, 1, 2), 255 - x);
    }
}

// A colour pattern whose layout leaves every other line without a sample: the
// demosaic must see zeros there, not whatever the heap held before.
TEST(ConvertFrame, PatternLayoutsThatLeaveLinesEmptyDemosaicZeros) {
    TapConfig interlacedOpposite{2, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0};
    for (uint8_t format : {ZAMGRB_COLOR_BAYER, ZAMGRB_COLOR_TRUESENSE})
        for (uint32_t depth : {8u, 10u}) {
            SCOPED_TRACE("colour format " + std::to_string(format) + ", " + std::to_string(depth) + " bits");
            CameraDescription d = rawframe::describe(64, 64, depth, false, interlacedOpposite);
            d.colorFormat = format;
            const size_t frameBytes = 64 * 64 * (depth + 7) / 8;  // also the demosaic's work buffer
            const std::vector<uint8_t> zeros(frameBytes, 0);
            // Marked blocks of that size, every other one freed, for the
            // allocator to hand out again.
            std::vector<std::unique_ptr<uint8_t[]>> blocks;
            for (int k = 0; k < 32; ++k) {
                blocks.push_back(std::make_unique<uint8_t[]>(frameBytes));
                std::memset(blocks.back().get(), 0xAB, frameBytes);
            }
            for (size_t k = 0; k < blocks.size(); k += 2)
                blocks[k].reset();
            const Converted c = convert(d, zeros, 0);
            ASSERT_EQ(c.status, 0u);
            EXPECT_EQ(std::count(c.pixels.begin(), c.pixels.end(), 0), ptrdiff_t(c.pixels.size()));
        }
}
