#include "CameraFileFields.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace zamgrb::image {

namespace {

constexpr size_t kCamera = offsetof(CameraFileRecord, camera);
constexpr size_t kConfig = kCamera + offsetof(CameraDescription, config);
constexpr size_t kTaps = kConfig + offsetof(CameraConfig, tapConfig);
constexpr size_t kControl = offsetof(CameraFileRecord, cameraControl);
constexpr size_t kPulses = offsetof(CameraFileRecord, pulseGenerator);

#define CAMERA(f, k)                                               \
    FieldInfo {                                                    \
#f, FieldInfo::k, kCamera + offsetof(CameraDescription, f) \
    }
#define CONFIG(f)                                               \
    FieldInfo {                                                 \
#f, FieldInfo::U32, kConfig + offsetof(CameraConfig, f) \
    }
#define TAPS(f)                                           \
    FieldInfo {                                           \
#f, FieldInfo::U8, kTaps + offsetof(TapConfig, f) \
    }
#define PULSES(f, k)                                                    \
    FieldInfo {                                                         \
#f, FieldInfo::k, kPulses + offsetof(PulseGeneratorSettings, f) \
    }

const std::array<FieldInfo, 46> kFields = {{
    {"header", FieldInfo::Bytes8, kCamera + offsetof(CameraDescription, header)},
    CONFIG(widthPreValid),
    CONFIG(widthValid),
    CONFIG(widthPostValid),
    CONFIG(heightPreValid),
    CONFIG(heightValid),
    CONFIG(heightPostValid),
    CONFIG(bitDepth),
    CONFIG(packed),
    TAPS(channels),
    TAPS(channelOrder),
    TAPS(channelOutput),
    TAPS(channelDirection0),
    TAPS(channelDirection1),
    TAPS(taps),
    TAPS(tapOutput),
    TAPS(tapDirection0),
    TAPS(tapDirection1),
    TAPS(tapDirection2),
    TAPS(tapDirection3),
    CONFIG(swapTaps),
    CONFIG(ignoreDval),
    CONFIG(invertDval),
    CONFIG(invertLval),
    CONFIG(invertFval),
    CONFIG(reserved),
    CAMERA(colorFormat, U8),
    CAMERA(patternStart, U8),
    CAMERA(rgbOffsetRed, I8),
    CAMERA(rgbOffsetGreen, I8),
    CAMERA(rgbOffsetBlue, I8),
    CAMERA(rgbGainRed, F64),
    CAMERA(rgbGainGreen, F64),
    CAMERA(rgbGainBlue, F64),
    {"cc1", FieldInfo::U32, kControl + 0},
    {"cc2", FieldInfo::U32, kControl + 4},
    {"cc3", FieldInfo::U32, kControl + 8},
    {"cc4", FieldInfo::U32, kControl + 12},
    PULSES(mode, U8),
    PULSES(pulseCount, U16),
    PULSES(granularity, U16),
    PULSES(masterWidth, U16),
    PULSES(masterPeriod, U16),
    PULSES(slaveWidth, U16),
    PULSES(slaveDelay, U16),
    {"baudRate", FieldInfo::U32, offsetof(CameraFileRecord, baudRate)},
}};

#undef CAMERA
#undef CONFIG
#undef TAPS
#undef PULSES

template <typename T>
T load(const CameraFileRecord& r, size_t offset) {
    T v;
    std::memcpy(&v, reinterpret_cast<const uint8_t*>(&r) + offset, sizeof v);
    return v;
}

template <typename T>
void store(CameraFileRecord& r, size_t offset, T v) {
    std::memcpy(reinterpret_cast<uint8_t*>(&r) + offset, &v, sizeof v);
}

template <typename T>
bool parseInteger(std::string_view text, CameraFileRecord& r, size_t offset) {
    int64_t v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return false;
    if (v < int64_t(std::numeric_limits<T>::min()) || v > int64_t(std::numeric_limits<T>::max()))
        return false;
    store(r, offset, T(v));
    return true;
}

}  // namespace

const std::array<FieldInfo, 46>& cameraFileFields() {
    return kFields;
}

std::string formatField(const FieldInfo& field, const CameraFileRecord& r) {
    char text[40];
    switch (field.kind) {
        case FieldInfo::Bytes8: {
            std::string hex;
            for (size_t i = 0; i < 8; ++i) {
                std::snprintf(text, sizeof text, "%02x", load<uint8_t>(r, field.offset + i));
                hex += text;
            }
            return hex;
        }
        case FieldInfo::U8:
            return std::to_string(load<uint8_t>(r, field.offset));
        case FieldInfo::I8:
            return std::to_string(load<int8_t>(r, field.offset));
        case FieldInfo::U16:
            return std::to_string(load<uint16_t>(r, field.offset));
        case FieldInfo::U32:
            return std::to_string(load<uint32_t>(r, field.offset));
        case FieldInfo::F64: {
            // to_chars, unlike printf, ignores LC_NUMERIC (a GUI sets the user's
            // locale, which may write "1,25"), and its shortest form reads back
            // bit for bit.
            const auto [end, error] = std::to_chars(text, text + sizeof text, load<double>(r, field.offset));
            return error == std::errc() ? std::string(text, end) : std::string();
        }
    }
    return {};
}

bool parseField(const FieldInfo& field, std::string_view text, CameraFileRecord& r) {
    switch (field.kind) {
        case FieldInfo::Bytes8:
            if (text.size() != 16)
                return false;
            for (size_t i = 0; i < 8; ++i) {
                uint8_t byte = 0;
                const auto [end, error] =
                    std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, byte, 16);
                if (error != std::errc() || end != text.data() + 2 * i + 2)
                    return false;
                store(r, field.offset + i, byte);
            }
            return true;
        case FieldInfo::U8:
            return parseInteger<uint8_t>(text, r, field.offset);
        case FieldInfo::I8:
            return parseInteger<int8_t>(text, r, field.offset);
        case FieldInfo::U16:
            return parseInteger<uint16_t>(text, r, field.offset);
        case FieldInfo::U32:
            return parseInteger<uint32_t>(text, r, field.offset);
        case FieldInfo::F64: {
            // from_chars reads "1.25" whatever LC_NUMERIC says; strtod would not.
            double v = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
            if (error != std::errc() || end != text.data() + text.size() || text.empty())
                return false;
            store(r, field.offset, v);
            return true;
        }
    }
    return false;
}

std::u16string textOf(const CameraFileText& slot) {
    if (!slot.text)
        return {};
    uint32_t n = 0;
    while (n < slot.count && slot.text[n])
        ++n;
    return std::u16string(slot.text, n);
}

void deliver(const CameraFileContent& content, CameraFileRecord& record) {
    const std::array<CameraFileText, 4> slots = {record.manufacturer, record.model, record.description,
                                                 record.alias};
    const auto copyField = [&](const FieldInfo& f) {
        const size_t size = f.kind == FieldInfo::Bytes8 || f.kind == FieldInfo::F64 ? 8
                            : f.kind == FieldInfo::U32                              ? 4
                            : f.kind == FieldInfo::U16                              ? 2
                                                                                    : 1;
        std::memcpy(reinterpret_cast<uint8_t*>(&record) + f.offset,
                    reinterpret_cast<const uint8_t*>(&content.record) + f.offset, size);
    };
    for (const FieldInfo& f : kFields)
        copyField(f);
    record.camera.lutLevels = nullptr;
    record.camera.lutValues = nullptr;
    for (size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i].text || slots[i].count == 0)
            continue;
        const size_t n = std::min<size_t>(content.texts[i].size(), slots[i].count - 1);
        std::memcpy(slots[i].text, content.texts[i].data(), n * sizeof(char16_t));
        slots[i].text[n] = 0;
    }
}

std::string toUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18);
            out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<std::u16string> fromUtf8(std::string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        const auto b = uint8_t(text[i]);
        const size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return {};
        uint32_t c = length == 1 ? b : b & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k) {
            const auto cont = uint8_t(text[i + k]);
            if ((cont >> 6) != 2)
                return {};
            c = c << 6 | (cont & 0x3F);
        }
        constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return {};
        if (c >= 0x10000) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += char16_t(c);
        }
        i += length;
    }
    return out;
}

}  // namespace zamgrb::image
