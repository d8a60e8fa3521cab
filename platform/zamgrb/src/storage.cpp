#include "storage.h"

#include <cstring>

namespace zamgrb {

Storage storageOf(const CameraConfig& c) {
    const bool packed = c.packed != 0;
    if (c.bitDepth <= 8)
        return Storage::Byte;
    if (c.bitDepth <= 16) {
        if (packed && c.bitDepth == 10)
            return Storage::Packed10;
        if (packed && c.bitDepth == 12)
            return uint32_t(c.tapConfig.taps) * c.tapConfig.channels == 1 ? Storage::Packed12x5
                                                                          : Storage::Packed12x2;
        return Storage::Word;
    }
    if (c.bitDepth <= 24)
        return packed ? Storage::Rgb24Packed : Storage::Rgb24;
    return Storage::Rgb48;
}

uint64_t rawBytes(Storage storage, uint64_t samples) {
    switch (storage) {
        case Storage::Byte:
            return samples;
        case Storage::Word:
            return samples * 2;
        case Storage::Packed10:
            return (samples + 5) / 6 * 8;
        case Storage::Packed12x5:
            return (samples + 4) / 5 * 8;
        case Storage::Packed12x2:
            return (samples + 1) / 2 * 3;
        case Storage::Rgb24Packed:
            return samples * 3;
        case Storage::Rgb24:
            return samples * 4;
        case Storage::Rgb48:
            return samples * 8;
    }
    return 0;
}

namespace {

uint32_t samplesPerWord(Storage s) {
    switch (s) {
        case Storage::Packed10:
            return 6;
        case Storage::Packed12x5:
            return 5;
        case Storage::Packed12x2:
            return 2;
        default:
            return 1;
    }
}

uint32_t wordBytes(Storage s) {
    return s == Storage::Packed12x2 ? 3 : 8;
}

}  // namespace

void SampleWriter::put(uint64_t sample) {
    switch (storage_) {
        case Storage::Byte:
            *out_++ = uint8_t(sample & mask_);
            return;
        case Storage::Word: {
            const uint16_t v = uint16_t(sample & mask_);
            out_[0] = uint8_t(v);
            out_[1] = uint8_t(v >> 8);
            out_ += 2;
            return;
        }
        case Storage::Rgb24Packed:
        case Storage::Rgb24:
        case Storage::Rgb48: {
            const bool wide = storage_ == Storage::Rgb48;
            for (uint32_t colour = 0; colour < 3; ++colour) {  // B, G, R
                const uint64_t v = (sample >> (colour * bits_)) & mask_;
                *out_++ = uint8_t(v);
                if (wide)
                    *out_++ = uint8_t(v >> 8);
            }
            if (storage_ != Storage::Rgb24Packed) {
                *out_++ = 0;
                if (wide)
                    *out_++ = 0;
            }
            return;
        }
        default:
            break;
    }
    word_ |= (sample & mask_) << (inWord_ * bits_);
    if (++inWord_ == samplesPerWord(storage_))
        finish();
}

void SampleWriter::finish() {
    if (inWord_ == 0)
        return;
    for (uint32_t i = 0; i < wordBytes(storage_); ++i)
        out_[i] = uint8_t(word_ >> (8 * i));
    out_ += wordBytes(storage_);
    word_ = 0;
    inWord_ = 0;
}

}  // namespace zamgrb
