// Reads the samples of one line period out of a raw frame in any storage form.
#ifndef ZAMGRB_IMAGE_SAMPLE_UNPACK_H
#define ZAMGRB_IMAGE_SAMPLE_UNPACK_H

#include <cstdint>

#include "SampleStorage.h"

namespace zamgrb::image {

// Colour components per sample: 3 (B, G, R) for the RGB forms, else 1.
uint32_t componentsOf(SampleStorage storage);

// Writes samples first .. first + count - 1 of the raw frame to `out`, each
// as `componentsOf(storage)` 16-bit values. The raw frame must hold
// storageBytes(storage, first + count) bytes.
void unpackSamples(SampleStorage storage, const uint8_t* raw, uint64_t first, uint64_t count, uint16_t* out);

}  // namespace zamgrb::image

#endif
