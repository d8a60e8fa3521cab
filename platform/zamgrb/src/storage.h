// Writing samples in the card's storage forms (SampleStorage.h holds the forms and
// the byte count they give, which is what the statistics' bandwidth formula counts).
#pragma once

#include <cstddef>
#include <cstdint>

#include "SampleStorage.h"
#include "zamgrb.h"

namespace zamgrb {

// Samples of one raw frame: widthValid x heightValid.
inline uint64_t samplesOf(const CameraConfig& config) {
    return uint64_t(config.widthValid) * config.heightValid;
}

// Bytes of a raw frame; 0 for a configuration the card refuses.
inline uint64_t rawFrameBytes(const CameraConfig& config) {
    return frameStorageBytes(config).value_or(0);
}

// Writes samples into a raw frame in order. A sample is a "port word": the value for
// monochrome, B | G << b | R << 2b for colour of b bits per colour. The buffer must be
// rawFrameBytes() long; the writer zero-fills what a last partial word leaves.
class SampleWriter {
public:
    SampleWriter(SampleStorage storage, uint32_t bitsPerColour, uint8_t* out)
        : storage_(storage), bits_(bitsPerColour), mask_((1ull << bitsPerColour) - 1), out_(out) {}
    void put(uint64_t sample);
    // Writes a partial last word; call once after the last sample.
    void finish();

private:
    SampleStorage storage_;
    uint32_t bits_;
    uint64_t mask_;
    uint8_t* out_;
    uint64_t word_ = 0;  // a packed word being filled
    uint32_t inWord_ = 0;
};

// Bits per colour (or per sample for monochrome) of a configuration.
inline uint32_t bitsPerColour(uint32_t bitDepth) {
    return bitDepth > 16 ? bitDepth / 3 : bitDepth;
}

}  // namespace zamgrb
