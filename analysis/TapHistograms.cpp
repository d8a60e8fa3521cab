#include "analysis/TapHistograms.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "SampleStorage.h"
#include "TapGeometry.h"
#include "analysis/GraphScale.h"

namespace histo {
namespace {

constexpr uint8_t kInterleaved = 2;

// counts[(lane x components + component) x levels + value] over a flat image in
// which sample k belongs to lane (k / components) mod lanes.
template <typename T>
void countLanes(const T* s, uint64_t samples, uint32_t lanes, uint32_t components, uint32_t levels,
                std::vector<uint32_t>& counts) {
    const uint32_t stride = lanes * components, mask = levels - 1;
    for (uint64_t k = 0; k + stride <= samples; k += stride)
        for (uint32_t j = 0; j < stride; ++j)
            ++counts[size_t(j) * levels + (s[k + j] & mask)];
}

void finish(const uint32_t* table, int levels, uint32_t colour, TapHistogram& g) {
    g.counts.assign(table, table + levels);
    double n = 0, sum = 0, squares = 0;
    for (int v = 0; v < levels; ++v) {
        n += g.counts[size_t(v)];
        sum += double(g.counts[size_t(v)]) * v;
        squares += double(g.counts[size_t(v)]) * v * v;
    }
    g.mean = n > 0 ? sum / n : 0;
    g.stdDev = n > 0 ? std::sqrt(std::max(0.0, squares / n - g.mean * g.mean)) : 0;
    g.counts[size_t(levels) - 1] = 0;  // N - 1 even bins: the top level is in none
    g.logCounts.assign(size_t(levels), 0);
    g.peak = 0;
    for (int v = 1; v < levels - 1; ++v) {
        g.logCounts[size_t(v)] = LogCount(g.counts[size_t(v)]);
        g.peak = std::max(g.peak, g.logCounts[size_t(v)]);
    }
    g.colour = colour;
}

}  // namespace

CameraDescription ArrivalOrderDescription(const CameraDescription& camera) {
    CameraDescription d{};
    d.config = camera.config;
    const TapConfig& t = camera.config.tapConfig;
    const uint32_t channels = std::max<uint32_t>(1, t.channels);
    d.config.widthValid = camera.config.widthValid * channels;
    d.config.heightValid = camera.config.heightValid / channels;
    d.config.tapConfig = TapConfig{};
    d.config.tapConfig.channels = 1;
    // All lanes as taps where that is a tap count, so the storage form (which
    // tells one lane from several) stays the camera's; otherwise the camera's
    // taps, which read the same arrival order.
    const uint32_t lanes = uint32_t(t.taps) * channels;
    const bool valid = lanes == 1 || lanes == 2 || lanes == 3 || lanes == 4 || lanes == 8 || lanes == 10;
    d.config.tapConfig.taps = uint8_t(valid ? lanes : t.taps);
    d.config.tapConfig.tapOutput = kInterleaved;
    d.colorFormat = ZAMGRB_COLOR_NONE;
    return d;
}

bool ComputeTapHistograms(const CameraDescription& camera, const void* raw, uint64_t rawBytes,
                          std::vector<uint8_t>& scratch, TapHistogramSet& out) {
    const CameraDescription d = ArrivalOrderDescription(camera);
    const auto geometry = zamgrb::TapGeometry::create(camera.config.tapConfig, camera.config.widthValid,
                                                      camera.config.heightValid);
    const auto needed = zamgrb::frameStorageBytes(camera.config);
    if (!geometry || !needed || rawBytes < *needed)
        return false;
    const bool rgb = camera.config.bitDepth >= 24;
    const uint32_t bits = rgb ? camera.config.bitDepth / 3 : camera.config.bitDepth;
    const uint32_t bytesPerSample = bits == 8 ? 1 : 2;
    // Grey samples stored whole (bytes, or little-endian words with the value in
    // the low bits) already are the arrival-order image; other forms are unpacked
    // by the card library.
    const auto storage = zamgrb::sampleStorageOf(camera.config);
    const bool whole =
        storage == zamgrb::SampleStorage::Byte ||
        (storage == zamgrb::SampleStorage::Word && std::endian::native == std::endian::little &&
         reinterpret_cast<uintptr_t>(raw) % 2 == 0);
    const void* image = raw;
    uint64_t bytes = uint64_t(camera.config.widthValid) * camera.config.heightValid * bytesPerSample;
    if (!raw)
        return false;
    if (!whole) {
        uint64_t rowStep = 0;
        if (ConvertFrame(&d, raw, nullptr, &rowStep, ZAMGRB_CONVERT_KEEP_DEPTH, nullptr) != 0)
            return false;
        bytes = rowStep * d.config.heightValid;
        scratch.resize(bytes);
        if (bytes == 0 ||
            ConvertFrame(&d, raw, scratch.data(), &rowStep, ZAMGRB_CONVERT_KEEP_DEPTH, nullptr) != 0)
            return false;
        image = scratch.data();
    }

    // Lane j of each clock is the tap with tapIndex(c, t) = j: the samples of one
    // clock arrive channel by channel, tap by tap.
    const uint32_t lanes = geometry->samplesPerClock();
    const uint32_t components = rgb ? 3 : 1, levels = 1u << bits;
    std::vector<uint32_t> counts(size_t(lanes) * components * levels, 0);
    const uint64_t samples = bytes / bytesPerSample;
    if (bits == 8)
        countLanes(static_cast<const uint8_t*>(image), samples, lanes, components, levels, counts);
    else
        countLanes(static_cast<const uint16_t*>(image), samples, lanes, components, levels, counts);

    out.levels = int(levels);
    out.taps = int(std::min<uint32_t>(lanes * components, kMaxGraphs));
    out.graphs.resize(size_t(out.taps));
    for (int i = 0; i < out.taps; ++i) {
        // RGB: three graphs per tap, red, green, blue (the image holds B, G, R).
        const uint32_t lane = rgb ? uint32_t(i) / 3 : uint32_t(i);
        const uint32_t component = rgb ? 2 - uint32_t(i) % 3 : 0;
        const uint32_t colour = rgb ? 0xFFu << (8 * (i % 3)) : 0x00FFFFu;
        finish(counts.data() + (size_t(lane) * components + component) * levels, int(levels), colour,
               out.graphs[size_t(i)]);
    }
    return true;
}

}  // namespace histo
