// How the card stores the samples of a raw frame: one rule for the byte count and
// for writing, so that the frame size always equals what the statistics' bandwidth
// formula counts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zamgrb.h"

namespace zamgrb {

enum class Storage {
    Byte,         // up to 8 bits: 1 byte
    Word,         // 9 to 16 bits unpacked (and 14/16 packed): 16-bit little-endian, value in the low bits
    Packed10,     // 6 samples per little-endian 64-bit word, sample i at bit 10 i
    Packed12x5,   // 12 bits, taps x channels = 1: 5 samples per 64-bit word, bit 12 i
    Packed12x2,   // 12 bits otherwise: 2 samples in 3 bytes, little-endian
    Rgb24Packed,  // 17 to 24 bits packed: B, G, R bytes
    Rgb24,        // 17 to 24 bits unpacked: B, G, R, 0 bytes
    Rgb48         // 25 to 36 bits: B, G, R, 0 as 16-bit words
};

Storage storageOf(const CameraConfig& config);

// Samples of one raw frame: widthValid x heightValid.
inline uint64_t samplesOf(const CameraConfig& config) {
    return uint64_t(config.widthValid) * config.heightValid;
}

// Bytes of a raw frame of that many samples (a last partial word is counted whole).
uint64_t rawBytes(Storage storage, uint64_t samples);
inline uint64_t rawFrameBytes(const CameraConfig& config) {
    return rawBytes(storageOf(config), samplesOf(config));
}

// Writes samples into a raw frame in order. A sample is a "port word": the value for
// monochrome, B | G << b | R << 2b for colour of b bits per colour. The buffer must be
// rawBytes() long; the writer zero-fills what a last partial word leaves.
class SampleWriter {
public:
    SampleWriter(Storage storage, uint32_t bitsPerColour, uint8_t* out)
        : storage_(storage), bits_(bitsPerColour), mask_((1ull << bitsPerColour) - 1), out_(out) {}
    void put(uint64_t sample);
    // Writes a partial last word; call once after the last sample.
    void finish();

private:
    Storage storage_;
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
