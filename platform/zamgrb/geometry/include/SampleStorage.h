// How the samples of a raw frame are stored, and so how many bytes a raw frame
// of a CameraConfig holds. Shared by the card that writes frames and the
// conversion that reads them.
//
//   8-bit                       1 byte
//   10..16-bit unpacked         16-bit little-endian word, value in the low bits
//   10-bit packed               6 samples per little-endian 64-bit word, sample i at bit 10 i
//   12-bit packed, 1 tap x 1 ch 5 samples per little-endian 64-bit word, sample i at bit 12 i
//   12-bit packed otherwise     2 samples in 3 bytes (little-endian 24 bits, sample i at bit 12 i)
//   RGB24 packed / unpacked     B, G, R / B, G, R, 0
//   RGB30, RGB36                four 16-bit words B, G, R, 0
// A last partial word or group is zero-filled. "packed" means nothing for 8, 14
// and 16 bits.
#ifndef ZAMGRB_SAMPLE_STORAGE_H
#define ZAMGRB_SAMPLE_STORAGE_H

#include <cstdint>
#include <optional>

#include "zamgrb.h"

namespace zamgrb {

enum class SampleStorage { Byte, Word, Packed10In64, Packed12In64, Packed12In24, Bgr24, Bgrx32, Bgrx64 };

// Empty for a bit depth that is none of 8, 10, 12, 14, 16, 24, 30, 36.
std::optional<SampleStorage> sampleStorageOf(const CameraConfig& config);

// Bytes that `samples` samples occupy in a storage form.
uint64_t storageBytes(SampleStorage storage, uint64_t samples);

// Bytes of one raw frame of a configuration (taps and channels as delivered:
// widthValid / taps clocks of heightValid / channels line periods); empty when
// the depth or the tap geometry is invalid.
std::optional<uint64_t> frameStorageBytes(const CameraConfig& config);

}  // namespace zamgrb

#endif
