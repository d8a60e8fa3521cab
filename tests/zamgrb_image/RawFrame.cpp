#include "RawFrame.h"

namespace rawframe {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

// Packs n-bit samples, `perWord` of them to a little-endian 64-bit word.
void packWords(std::vector<uint8_t>& out, const std::vector<Sample>& s, uint32_t bits, uint32_t perWord) {
    for (size_t i = 0; i < s.size(); i += perWord) {
        uint64_t word = 0;
        for (uint32_t k = 0; k < perWord && i + k < s.size(); ++k)
            word |= uint64_t(s[i + k].g) << (bits * k);
        for (int b = 0; b < 8; ++b)
            out.push_back(uint8_t(word >> (8 * b)));
    }
}

}  // namespace

std::vector<uint8_t> pack(const CameraConfig& c, const std::vector<Sample>& s) {
    std::vector<uint8_t> out;
    const uint32_t perClock = uint32_t(c.tapConfig.taps) * c.tapConfig.channels;
    if (c.bitDepth == 8) {
        for (const Sample& v : s)
            out.push_back(uint8_t(v.g));
    } else if (c.bitDepth == 10 && c.packed) {
        packWords(out, s, 10, 6);
    } else if (c.bitDepth == 12 && c.packed && perClock == 1) {
        packWords(out, s, 12, 5);
    } else if (c.bitDepth == 12 && c.packed) {
        for (size_t i = 0; i < s.size(); i += 2) {
            const uint32_t a = s[i].g, b = i + 1 < s.size() ? s[i + 1].g : 0;
            const uint32_t pair = a | b << 12;
            out.push_back(uint8_t(pair));
            out.push_back(uint8_t(pair >> 8));
            out.push_back(uint8_t(pair >> 16));
        }
    } else if (c.bitDepth <= 16) {
        for (const Sample& v : s)
            put16(out, v.g);
    } else if (c.bitDepth == 24) {
        for (const Sample& v : s) {
            out.insert(out.end(), {uint8_t(v.b), uint8_t(v.g), uint8_t(v.r)});
            if (!c.packed)
                out.push_back(0);
        }
    } else {
        for (const Sample& v : s) {
            put16(out, v.b);
            put16(out, v.g);
            put16(out, v.r);
            put16(out, 0);
        }
    }
    return out;
}

std::vector<Sample> arrive(const Order& order, const std::function<Sample(uint32_t, uint32_t)>& image) {
    std::vector<Sample> s;
    for (const Position& p : order)
        s.push_back(image(p.x, p.y));
    return s;
}

Order rowsOf(const std::vector<uint32_t>& columns, uint32_t height) {
    Order order;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x : columns)
            order.push_back({x, y});
    return order;
}

CameraDescription describe(uint32_t width, uint32_t height, uint32_t depth, bool packed,
                           const TapConfig& taps) {
    CameraDescription d{};
    d.config.widthValid = width;
    d.config.heightValid = height;
    d.config.bitDepth = depth;
    d.config.packed = packed;
    d.config.tapConfig = taps;
    return d;
}

}  // namespace rawframe
