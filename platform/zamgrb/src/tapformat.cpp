// The standard tap formats 1..18 and their lookup.
#include <array>
#include <cstring>

#include "zamgrb.h"

namespace {

constexpr uint8_t L = 0, R = 1;
constexpr uint8_t kSegmented = 0, kAlternate = 1, kInterleaved = 2;

struct Format {
    uint8_t taps, tapOutput, d0, d1, d2, d3;
};

// All formats use one channel, Normal order, Segmented output, Top-Down lines.
constexpr std::array<Format, 18> kFormats = {{
    {1, kSegmented, L, 0, 0, 0},   {1, kSegmented, R, 0, 0, 0},   {2, kInterleaved, L, L, 0, 0},
    {2, kInterleaved, R, R, 0, 0}, {2, kSegmented, L, L, 0, 0},   {2, kSegmented, R, R, 0, 0},
    {2, kSegmented, L, R, 0, 0},   {2, kSegmented, R, L, 0, 0},   {3, kSegmented, L, L, L, 0},
    {4, kSegmented, L, L, L, L},   {4, kSegmented, R, R, R, R},   {4, kAlternate, L, L, L, L},
    {4, kAlternate, L, L, R, R},   {4, kSegmented, L, R, L, R},   {4, kInterleaved, L, L, L, L},
    {4, kInterleaved, R, R, R, R}, {8, kInterleaved, L, L, L, L}, {10, kInterleaved, L, L, L, L},
}};

TapConfig toTapConfig(const Format& f) {
    TapConfig t{};
    t.channels = 1;
    t.taps = f.taps;
    t.tapOutput = f.tapOutput;
    t.tapDirection0 = f.d0;
    t.tapDirection1 = f.d1;
    t.tapDirection2 = f.d2;
    t.tapDirection3 = f.d3;
    return t;
}

}  // namespace

uint32_t SetTapFormat(uint32_t format, TapConfig* tapConfig) {
    if (!tapConfig || format < 1 || format > kFormats.size()) return ZAMGRB_INVALID_ARGUMENT;
    *tapConfig = toTapConfig(kFormats[format - 1]);
    return ZAMGRB_OK;
}

uint32_t GetTapFormat(const TapConfig* tapConfig) {
    if (!tapConfig) return 0;
    for (uint32_t i = 0; i < kFormats.size(); ++i) {
        TapConfig t = toTapConfig(kFormats[i]);
        if (std::memcmp(&t, tapConfig, sizeof t) == 0) return i + 1;
    }
    return 0;
}
