#include "SampleUnpack.h"

#include <cstring>

namespace zamgrb::image {

namespace {

uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

uint16_t load16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

// Samples of `bits` bits, `perWord` to a little-endian 64-bit word.
template <uint32_t bits, uint32_t perWord>
void unpackWords(const uint8_t* raw, uint64_t first, uint64_t count, uint16_t* out) {
    constexpr uint64_t mask = (1u << bits) - 1;
    uint64_t word = first / perWord;
    uint64_t k = 0;
    // A leading part of a word, then whole words, then a trailing part.
    for (uint32_t slot = uint32_t(first % perWord); slot != 0 && slot < perWord && k < count; ++slot)
        out[k++] = uint16_t(load64(raw + word * 8) >> (slot * bits) & mask);
    if (first % perWord != 0)
        ++word;
    for (; k + perWord <= count; k += perWord, ++word) {
        const uint64_t value = load64(raw + word * 8);
        for (uint32_t slot = 0; slot < perWord; ++slot)
            out[k + slot] = uint16_t(value >> (slot * bits) & mask);
    }
    for (uint32_t slot = 0; k < count; ++slot)
        out[k++] = uint16_t(load64(raw + word * 8) >> (slot * bits) & mask);
}

void unpack12In24(const uint8_t* raw, uint64_t first, uint64_t count, uint16_t* out) {
    for (uint64_t k = 0; k < count; ++k) {
        const uint64_t i = first + k;
        const uint8_t* g = raw + i / 2 * 3;
        out[k] = (i & 1) ? uint16_t(g[1] >> 4 | g[2] << 4) : uint16_t(g[0] | (g[1] & 0x0F) << 8);
    }
}

void unpackBgr(const uint8_t* raw, uint64_t first, uint64_t count, uint32_t stride, uint16_t* out) {
    const uint8_t* p = raw + first * stride;
    for (uint64_t k = 0; k < count; ++k, p += stride, out += 3) {
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
    }
}

}  // namespace

uint32_t componentsOf(SampleStorage storage) {
    switch (storage) {
        case SampleStorage::Bgr24:
        case SampleStorage::Bgrx32:
        case SampleStorage::Bgrx64:
            return 3;
        default:
            return 1;
    }
}

void unpackSamples(SampleStorage storage, const uint8_t* raw, uint64_t first, uint64_t count, uint16_t* out) {
    if (count == 0)
        return;
    switch (storage) {
        case SampleStorage::Byte:
            for (uint64_t k = 0; k < count; ++k)
                out[k] = raw[first + k];
            return;
        case SampleStorage::Word:
            for (uint64_t k = 0; k < count; ++k)
                out[k] = load16(raw + (first + k) * 2);
            return;
        case SampleStorage::Packed10In64:
            unpackWords<10, 6>(raw, first, count, out);
            return;
        case SampleStorage::Packed12In64:
            unpackWords<12, 5>(raw, first, count, out);
            return;
        case SampleStorage::Packed12In24:
            unpack12In24(raw, first, count, out);
            return;
        case SampleStorage::Bgr24:
            unpackBgr(raw, first, count, 3, out);
            return;
        case SampleStorage::Bgrx32:
            unpackBgr(raw, first, count, 4, out);
            return;
        case SampleStorage::Bgrx64:
            for (uint64_t k = 0; k < count; ++k, out += 3) {
                const uint8_t* p = raw + (first + k) * 8;
                out[0] = load16(p);
                out[1] = load16(p + 2);
                out[2] = load16(p + 4);
            }
            return;
    }
}

}  // namespace zamgrb::image
