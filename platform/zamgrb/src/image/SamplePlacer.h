// Walks a raw frame in arrival order and hands every sample to a callback with
// the index (y * width + x) of the pixel the tap geometry puts it at.
#ifndef ZAMGRB_IMAGE_SAMPLE_PLACER_H
#define ZAMGRB_IMAGE_SAMPLE_PLACER_H

#include <cstdint>
#include <vector>

#include "SampleStorage.h"
#include "SampleUnpack.h"
#include "TapGeometry.h"

namespace zamgrb::image {

class SamplePlacer {
public:
    SamplePlacer(const TapGeometry& geometry, SampleStorage storage, const uint8_t* raw);

    // True when sample k of every line period lands at column k of row p:
    // the raw frame is the image itself.
    bool isIdentity() const { return identity_; }

    // run(pixelIndex, step, const T* samples, stride, count): `count` samples,
    // sample n at samples[n * stride], for pixels pixelIndex + n * step. T is
    // uint8_t for 8-bit storage, else uint16_t; a sample has componentsOf(storage)
    // values. One run is one tap of one channel over one line period.
    template <typename Run>
    void forEachRun(Run&& run) {
        if (storage_ == SampleStorage::Byte) {
            walk([this](uint32_t p) { return raw_ + uint64_t(p) * perPeriod_; }, run);
            return;
        }
        walk(
            [this](uint32_t p) {
                unpackSamples(storage_, raw_, uint64_t(p) * perPeriod_, perPeriod_, scratch_.data());
                return static_cast<const uint16_t*>(scratch_.data());
            },
            run);
    }

    // put(pixelIndex, const T* sample) for every sample.
    template <typename Put>
    void forEach(Put&& put) {
        forEachRun([&](uint64_t index, int64_t step, const auto* s, size_t stride, uint32_t count) {
            for (uint32_t n = 0; n < count; ++n, index += step, s += stride)
                put(index, s);
        });
    }

private:
    // Each tap of each channel fills its columns in a fixed step (one group width,
    // left or right), so a line period is a run per tap and channel.
    template <typename Fetch, typename Run>
    void walk(Fetch&& fetch, Run& run) {
        const uint32_t channels = geometry_.channels(), taps = geometry_.taps();
        const uint32_t clocks = geometry_.clocksPerLine(), components = componentsOf(storage_);
        const uint64_t width = geometry_.width();
        const size_t stride = size_t(geometry_.samplesPerClock()) * components;
        for (uint32_t p = 0; p < geometry_.linePeriods(); ++p) {
            const auto* src = fetch(p);
            for (uint32_t c = 0; c < channels; ++c) {
                const uint64_t base = rows_[size_t(p) * channels + c] * width;
                for (uint32_t t = 0; t < taps; ++t) {
                    const uint32_t lane = c * taps + t;
                    const auto* first = src + size_t(lane) * components;
                    run(base + columns_[lane], steps_[lane], first, stride, clocks);
                }
            }
        }
    }

    const TapGeometry& geometry_;
    SampleStorage storage_;
    const uint8_t* raw_;
    uint32_t perPeriod_;
    std::vector<uint32_t> columns_, rows_;
    std::vector<int64_t> steps_;  // column step from one clock to the next, per lane (channel, tap)
    std::vector<uint16_t> scratch_;
    bool identity_ = false;
};

}  // namespace zamgrb::image

#endif
