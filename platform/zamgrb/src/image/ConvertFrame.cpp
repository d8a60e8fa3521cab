// ConvertFrame: raw frame in arrival order -> image in the converted layout.
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "Demosaic.h"
#include "PixelLayout.h"
#include "SamplePlacer.h"
#include "SampleStorage.h"
#include "TapGeometry.h"
#include "ToneTables.h"
#include "zamgrb.h"

using namespace zamgrb;
using namespace zamgrb::image;

namespace {

struct Plan {
    PixelLayout layout;
    TapGeometry geometry;
    SampleStorage storage;
    uint32_t bits;  // bits of a sample (of each colour for RGB)
};

// Everything the description says must agree before a byte is touched.
std::optional<Plan> planOf(const CameraDescription& d, uint8_t flags) {
    const uint32_t depth = d.config.bitDepth;
    switch (d.colorFormat) {
        case ZAMGRB_COLOR_NONE:
            break;
        case ZAMGRB_COLOR_BAYER:
            if (depth > 16 || d.patternStart > 3)
                return {};
            break;
        case ZAMGRB_COLOR_TRUESENSE:
            if (depth > 16 || d.patternStart > 15)
                return {};
            break;
        default:
            return {};
    }
    const auto layout = convertedLayout(d, flags);
    const auto storage = sampleStorageOf(d.config);
    const auto geometry = TapGeometry::create(d.config.tapConfig, d.config.widthValid, d.config.heightValid);
    if (!layout || !storage || !geometry)
        return {};
    return Plan{*layout, *geometry, *storage, bitsPerChannelOf(d)};
}

// Grey samples through a level table; without a lookup table the level is
// only shifted, which spares a load per sample.
template <typename O>
void placeGrey(SamplePlacer& placer, const LevelTable& table, bool tableNeeded, uint32_t bits,
               uint32_t outBits, O* out) {
    const uint32_t mask = (1u << bits) - 1, shift = bits - outBits;
    if (tableNeeded)
        placer.forEach([&](uint64_t i, const auto* s) { out[i] = O(table[s[0] & mask]); });
    else
        placer.forEachRun([&](uint64_t index, int64_t step, const auto* s, size_t stride, uint32_t count) {
            O* o = out + index;
            if (step == 1 && stride == 1) {  // contiguous both ways: lets the compiler vectorise
                for (uint32_t n = 0; n < count; ++n)
                    o[n] = O((s[n] & mask) >> shift);
                return;
            }
            for (uint32_t n = 0; n < count; ++n, o += step, s += stride)
                *o = O((*s & mask) >> shift);
        });
}

// Unpacked deep samples in image order: each little-endian word masked, and
// reduced to outBits, straight into the image (one pass, no unpacking).
template <typename O>
void maskWords(const uint8_t* raw, uint64_t count, uint32_t bits, uint32_t outBits, O* out) {
    const uint32_t mask = (1u << bits) - 1, shift = bits - outBits;
    for (uint64_t i = 0; i < count; ++i) {
        uint16_t word;
        std::memcpy(&word, raw + 2 * i, 2);  // a plain load the compiler can vectorise
        if constexpr (std::endian::native == std::endian::big)
            word = uint16_t(word >> 8 | word << 8);
        out[i] = O((word & mask) >> shift);
    }
}

void convertGrey(const CameraDescription& d, const Plan& plan, SamplePlacer& placer, const uint8_t* raw,
                 void* destination, uint8_t flags) {
    const PixelLayout& out = plan.layout;
    const uint32_t outBits = out.bytesPerChannel == 2 ? plan.bits : 8;
    const bool inPlace = !hasLookupTable(d) && placer.isIdentity();
    const uint64_t pixels = uint64_t(out.width) * out.height;
    if (inPlace && plan.bits == 8) {
        std::memcpy(destination, raw, out.imageBytes());  // the raw frame is the image
        return;
    }
    if (inPlace && plan.storage == SampleStorage::Word) {
        if (out.bytesPerChannel == 1) {
            maskWords(raw, pixels, plan.bits, outBits, static_cast<uint8_t*>(destination));
            return;
        }
        maskWords(raw, pixels, plan.bits, outBits, static_cast<uint16_t*>(destination));
        if (flags & ZAMGRB_CONVERT_NORMALISE)
            stretchToSixteenBits(static_cast<uint16_t*>(destination), pixels, plan.bits);
        return;
    }
    const LevelTable table = outputTable(lookupRun(d, 0, plan.bits), plan.bits, outBits, 0, 1.0);
    const bool tableNeeded = hasLookupTable(d);
    if (out.bytesPerChannel == 1)
        placeGrey(placer, table, tableNeeded, plan.bits, outBits, static_cast<uint8_t*>(destination));
    else
        placeGrey(placer, table, tableNeeded, plan.bits, outBits, static_cast<uint16_t*>(destination));
    if (out.bytesPerChannel == 2 && (flags & ZAMGRB_CONVERT_NORMALISE))
        stretchToSixteenBits(static_cast<uint16_t*>(destination), uint64_t(out.width) * out.height,
                             plan.bits);
}

struct ChannelTables {
    LevelTable red, green, blue;
    ColourTables view() const {
        bool identity = true;
        for (size_t i = 0; identity && i < red.size(); ++i)
            identity = red[i] == i && green[i] == i && blue[i] == i;
        return {blue.data(), green.data(), red.data(), identity};
    }
};

// Offsets, gains and reduction of each colour, after the lookup runs given.
ChannelTables colourTables(const CameraDescription& d, const Plan& plan, const LevelTable& red,
                           const LevelTable& green, const LevelTable& blue) {
    const uint32_t outBits = plan.layout.bytesPerChannel == 2 ? plan.bits : 8;
    return {outputTable(red, plan.bits, outBits, d.rgbOffsetRed, effectiveGain(d.rgbGainRed)),
            outputTable(green, plan.bits, outBits, d.rgbOffsetGreen, effectiveGain(d.rgbGainGreen)),
            outputTable(blue, plan.bits, outBits, d.rgbOffsetBlue, effectiveGain(d.rgbGainBlue))};
}

template <typename O>
void placeRgb(SamplePlacer& placer, const ColourTables& t, uint32_t mask, uint32_t channels, O* out) {
    placer.forEach([&](uint64_t i, const auto* s) {
        O* px = out + i * channels;
        px[0] = O(t.blue[s[0] & mask]);
        px[1] = O(t.green[s[1] & mask]);
        px[2] = O(t.red[s[2] & mask]);
        if (channels == 4)
            px[3] = 0;
    });
}

void convertRgb(const CameraDescription& d, const Plan& plan, SamplePlacer& placer, void* destination) {
    const ChannelTables tables = colourTables(d, plan, lookupRun(d, 0, plan.bits), lookupRun(d, 1, plan.bits),
                                              lookupRun(d, 2, plan.bits));
    const uint32_t mask = (1u << plan.bits) - 1;
    if (plan.layout.bytesPerChannel == 1)
        placeRgb(placer, tables.view(), mask, plan.layout.channels, static_cast<uint8_t*>(destination));
    else
        placeRgb(placer, tables.view(), mask, plan.layout.channels, static_cast<uint16_t*>(destination));
}

// Samples of a colour pattern, in place and through the lookup table, then demosaiced.
void convertPattern(const CameraDescription& d, const Plan& plan, SamplePlacer& placer, const uint8_t* raw,
                    void* destination) {
    const uint32_t w = plan.layout.width, h = plan.layout.height;
    const uint64_t pixels = uint64_t(w) * h;
    const bool bytes = plan.bits == 8;
    const LevelTable lut = lookupRun(d, 0, plan.bits);
    std::unique_ptr<uint8_t[]> buffer;
    const void* samples = raw;
    if (!(bytes && placer.isIdentity() && !hasLookupTable(d))) {
        // Zeroed: a layout that leaves pixels without a sample (see
        // TapGeometry::coversEveryPixelOnce) must not demosaic stale heap bytes.
        buffer = std::make_unique<uint8_t[]>(pixels * (bytes ? 1 : 2));
        const bool tableNeeded = hasLookupTable(d);
        if (bytes)
            placeGrey(placer, lut, tableNeeded, 8, 8, buffer.get());
        else
            placeGrey(placer, lut, tableNeeded, plan.bits, plan.bits,
                      reinterpret_cast<uint16_t*>(buffer.get()));
        samples = buffer.get();
    }
    const LevelTable identity = lookupRun(CameraDescription{}, 0, plan.bits);
    const ChannelTables tables = colourTables(d, plan, identity, identity, identity);
    const SamplePlane plane{samples, bytes, w, h};
    if (d.colorFormat == ZAMGRB_COLOR_BAYER)
        demosaicBayer(plane, d.patternStart, tables.view(), destination, plan.layout);
    else
        demosaicTrueSense(plane, d.patternStart, tables.view(), destination, plan.layout);
}

}  // namespace

uint32_t ConvertFrame(const CameraDescription* description, const void* raw, void* destination,
                      uint64_t* rowStep, uint8_t flags, uint32_t* bitsPerPixel) {
    if (rowStep)
        *rowStep = 0;
    if (bitsPerPixel)
        *bitsPerPixel = 0;
    if (!description || !rowStep)
        return ZAMGRB_INVALID_ARGUMENT;
    const auto plan = planOf(*description, flags);
    if (!plan)
        return ZAMGRB_INVALID_ARGUMENT;
    if (!destination) {
        *rowStep = plan->layout.rowBytes();
        if (bitsPerPixel)
            *bitsPerPixel = reportedBitsPerPixel(plan->layout);
        return ZAMGRB_OK;
    }
    if (!raw)
        return ZAMGRB_INVALID_ARGUMENT;
    try {
        const auto* bytes = static_cast<const uint8_t*>(raw);
        SamplePlacer placer(plan->geometry, plan->storage, bytes);
        const bool pattern = description->colorFormat != ZAMGRB_COLOR_NONE;
        // The caller may hand back the buffer of an earlier frame: pixels this
        // layout leaves without a sample are cleared, never left showing it.
        if (!pattern && !plan->geometry.coversEveryPixelOnce())
            std::memset(destination, 0, plan->layout.imageBytes());
        if (pattern)
            convertPattern(*description, *plan, placer, bytes, destination);
        else if (plan->layout.colour())
            convertRgb(*description, *plan, placer, destination);
        else
            convertGrey(*description, *plan, placer, bytes, destination, flags);
    } catch (const std::bad_alloc&) {
        return ZAMGRB_NO_BUFFERS;
    }
    *rowStep = plan->layout.rowBytes();
    if (bitsPerPixel)
        *bitsPerPixel = reportedBitsPerPixel(plan->layout);
    return ZAMGRB_OK;
}
