#include "SampleStorage.h"

#include "TapGeometry.h"

namespace zamgrb {

std::optional<SampleStorage> sampleStorageOf(const CameraConfig& config) {
    const bool packed = config.packed != 0;
    const uint32_t perClock = uint32_t(config.tapConfig.taps) * config.tapConfig.channels;
    switch (config.bitDepth) {
        case 8:
            return SampleStorage::Byte;
        case 10:
            return packed ? SampleStorage::Packed10In64 : SampleStorage::Word;
        case 12:
            if (!packed)
                return SampleStorage::Word;
            return perClock == 1 ? SampleStorage::Packed12In64 : SampleStorage::Packed12In24;
        case 14:
        case 16:
            return SampleStorage::Word;
        case 24:
            return packed ? SampleStorage::Bgr24 : SampleStorage::Bgrx32;
        case 30:
        case 36:
            return SampleStorage::Bgrx64;
        default:
            return {};
    }
}

uint64_t storageBytes(SampleStorage storage, uint64_t samples) {
    switch (storage) {
        case SampleStorage::Byte:
            return samples;
        case SampleStorage::Word:
            return samples * 2;
        case SampleStorage::Packed10In64:
            return (samples + 5) / 6 * 8;
        case SampleStorage::Packed12In64:
            return (samples + 4) / 5 * 8;
        case SampleStorage::Packed12In24:
            return (samples + 1) / 2 * 3;
        case SampleStorage::Bgr24:
            return samples * 3;
        case SampleStorage::Bgrx32:
            return samples * 4;
        case SampleStorage::Bgrx64:
            return samples * 8;
    }
    return 0;
}

std::optional<uint64_t> frameStorageBytes(const CameraConfig& config) {
    const auto storage = sampleStorageOf(config);
    const auto geometry = TapGeometry::create(config.tapConfig, config.widthValid, config.heightValid);
    if (!storage || !geometry)
        return {};
    return storageBytes(*storage, geometry->sampleCount());
}

}  // namespace zamgrb
