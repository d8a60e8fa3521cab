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
    template <typename Fetch, typename Put>
    void walk(Fetch&& fetch, Put& put) {
        const uint32_t channels = geometry_.channels(), taps = geometry_.taps();
        const uint32_t clocks = geometry_.clocksPerLine(), components = componentsOf(storage_);
        const uint64_t width = geometry_.width();
        for (uint32_t p = 0; p < geometry_.linePeriods(); ++p) {
            const auto* src = fetch(p);
            const uint32_t* rows = &rows_[size_t(p) * channels];
            if (channels == 1) {
                const uint64_t base = rows[0] * width;
                for (uint32_t k = 0; k < perPeriod_; ++k)
                    put(base + columns_[k], src + size_t(k) * components);
                continue;
            }
            uint32_t k = 0;
            for (uint32_t n = 0; n < clocks; ++n)
                for (uint32_t c = 0; c < channels; ++c) {
                    const uint64_t base = rows[c] * width;
                    for (uint32_t t = 0; t < taps; ++t, ++k)
                        put(base + columns_[k], src + size_t(k) * components);
                }
        }
    }

    const TapGeometry& geometry_;
    SampleStorage storage_;
    const uint8_t* raw_;
    uint32_t perPeriod_;
    std::vector<uint32_t> columns_, rows_;
    std::vector<uint16_t> scratch_;
    bool identity_ = false;
};

}  // namespace zamgrb::image

#endif
