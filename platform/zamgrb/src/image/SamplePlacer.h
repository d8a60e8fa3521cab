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

    // False when some pixels receive no sample (width not a multiple of the
    // taps, height not a multiple of the channels).
    bool coversImage() const;
    // True when sample k of every line period lands at column k of row p:
    // the raw frame is the image itself.
    bool isIdentity() const { return identity_; }

    // put(pixelIndex, const T* sample): T is uint8_t for 8-bit storage, else
    // uint16_t; a sample has componentsOf(storage) values.
    template <typename Put>
    void forEach(Put&& put) {
        if (storage_ == SampleStorage::Byte)
            walk([this](uint32_t p) { return raw_ + uint64_t(p) * perPeriod_; }, put);
        else
            walk(
                [this](uint32_t p) {
                    unpackSamples(storage_, raw_, uint64_t(p) * perPeriod_, perPeriod_, scratch_.data());
                    return static_cast<const uint16_t*>(scratch_.data());
                },
                put);
    }

private:
    // Each tap of each channel fills its columns in a fixed step (one group width,
    // left or right), so a line period is walked tap by tap: a strided read of the
    // period's samples and a regular walk along the row.
    template <typename Fetch, typename Put>
    void walk(Fetch&& fetch, Put& put) {
        const uint32_t channels = geometry_.channels(), taps = geometry_.taps();
        const uint32_t clocks = geometry_.clocksPerLine(), components = componentsOf(storage_);
        const uint32_t perClock = geometry_.samplesPerClock();
        const uint64_t width = geometry_.width(), stride = uint64_t(perClock) * components;
        for (uint32_t p = 0; p < geometry_.linePeriods(); ++p) {
            const auto* src = fetch(p);
            for (uint32_t c = 0; c < channels; ++c) {
                const uint64_t base = rows_[size_t(p) * channels + c] * width;
                for (uint32_t t = 0; t < taps; ++t) {
                    const uint32_t lane = c * taps + t;
                    const auto* s = src + size_t(lane) * components;
                    uint64_t index = base + columns_[lane];
                    const int64_t step = steps_[lane];
                    for (uint32_t n = 0; n < clocks; ++n, s += stride, index += step)
                        put(index, s);
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
