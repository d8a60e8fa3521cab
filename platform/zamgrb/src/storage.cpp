#include "storage.h"

namespace zamgrb {

namespace {

uint32_t samplesPerWord(SampleStorage s) {
    switch (s) {
        case SampleStorage::Packed10In64:
            return 6;
        case SampleStorage::Packed12In64:
            return 5;
        case SampleStorage::Packed12In24:
            return 2;
        default:
            return 1;
    }
}

uint32_t wordBytes(SampleStorage s) {
    return s == SampleStorage::Packed12In24 ? 3 : 8;
}

}  // namespace

void SampleWriter::put(uint64_t sample) {
    switch (storage_) {
        case SampleStorage::Byte:
            *out_++ = uint8_t(sample & mask_);
            return;
        case SampleStorage::Word: {
            const uint16_t v = uint16_t(sample & mask_);
            out_[0] = uint8_t(v);
            out_[1] = uint8_t(v >> 8);
            out_ += 2;
            return;
        }
        case SampleStorage::Bgr24:
        case SampleStorage::Bgrx32:
        case SampleStorage::Bgrx64: {
            const bool wide = storage_ == SampleStorage::Bgrx64;
            for (uint32_t colour = 0; colour < 3; ++colour) {  // B, G, R
                const uint64_t v = (sample >> (colour * bits_)) & mask_;
                *out_++ = uint8_t(v);
                if (wide)
                    *out_++ = uint8_t(v >> 8);
            }
            if (storage_ != SampleStorage::Bgr24) {
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
