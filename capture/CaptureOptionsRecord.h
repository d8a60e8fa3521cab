// The options of one capture mode. The movie-maker library takes the AVI record
// whole, so the layout is fixed byte for byte; texts are UTF-16 with a terminator.
#pragma once

#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "capture/CaptureIds.h"

namespace capture {

// A period or duration: hours, minutes, seconds, then two reserved bytes.
struct CaptureDuration {
    int16_t hours = 0;
    int16_t minutes = 0;
    int16_t seconds = 0;
    uint16_t reserved = 0;
};

// Milliseconds of a duration; 0 means not set, and so does a negative total.
constexpr int64_t DurationMs(const CaptureDuration& d) {
    const int64_t ms = d.hours * int64_t{3600000} + d.minutes * int64_t{60000} + d.seconds * int64_t{1000};
    return ms > 0 ? ms : 0;
}

// Characters of a text field, terminator included.
inline constexpr size_t kRecordTextChars = 260;
using RecordText = char16_t[kRecordTextChars];

struct CaptureOptionsRecord {
    RecordText FileName = {};  // file (single frame, AVI) or folder (series)
    RecordText Message = {};   // text stamped into saved images
    uint32_t InsertDate = 0;
    uint32_t InsertMessage = 0;
    uint32_t InsertTimestamp = 0;
    uint32_t Position = 0;  // 0..5: corner of the stamped text block
    double FPS = 0;
    uint32_t Event = 0;  // CaptureEvent
    CaptureDuration captEvery;
    uint32_t LimitDisk = 0;  // frames per capture event, 0 = unlimited
    CaptureDuration LimitTime;
    uint32_t TotalLimitDisk = 0;  // frames of the whole capture, 0 = unlimited
    CaptureDuration TotalLimitTime;
    uint8_t reserved1[8] = {};
    uint32_t ImageType = 0;
    uint8_t reserved2[8] = {};
    uint32_t CompressorType = 0;
    uint32_t CompressorHandler = 0;
    uint32_t CompressorKeyFrame = 0;
    uint32_t CompressorQuality = 0;
    uint32_t CompressorDataRate = 0;
    uint32_t CompressorFlags = 0;
    uint8_t reserved3[32] = {};
    uint32_t AppendFileName = 0;
    uint32_t FreezeLive = 0;
    uint32_t BufferFrames = 0;
    RecordText CompressorName = {};
    uint32_t reserved4 = 0;
};

static_assert(std::is_standard_layout_v<CaptureOptionsRecord>);
static_assert(std::is_trivially_copyable_v<CaptureOptionsRecord>);
static_assert(sizeof(CaptureDuration) == 8);
static_assert(sizeof(CaptureOptionsRecord) == 1712);
static_assert(offsetof(CaptureOptionsRecord, FileName) == 0);
static_assert(offsetof(CaptureOptionsRecord, Message) == 520);
static_assert(offsetof(CaptureOptionsRecord, InsertDate) == 1040);
static_assert(offsetof(CaptureOptionsRecord, InsertMessage) == 1044);
static_assert(offsetof(CaptureOptionsRecord, InsertTimestamp) == 1048);
static_assert(offsetof(CaptureOptionsRecord, Position) == 1052);
static_assert(offsetof(CaptureOptionsRecord, FPS) == 1056);
static_assert(offsetof(CaptureOptionsRecord, Event) == 1064);
static_assert(offsetof(CaptureOptionsRecord, captEvery) == 1068);
static_assert(offsetof(CaptureOptionsRecord, LimitDisk) == 1076);
static_assert(offsetof(CaptureOptionsRecord, LimitTime) == 1080);
static_assert(offsetof(CaptureOptionsRecord, TotalLimitDisk) == 1088);
static_assert(offsetof(CaptureOptionsRecord, TotalLimitTime) == 1092);
static_assert(offsetof(CaptureOptionsRecord, reserved1) == 1100);
static_assert(offsetof(CaptureOptionsRecord, ImageType) == 1108);
static_assert(offsetof(CaptureOptionsRecord, reserved2) == 1112);
static_assert(offsetof(CaptureOptionsRecord, CompressorType) == 1120);
static_assert(offsetof(CaptureOptionsRecord, CompressorHandler) == 1124);
static_assert(offsetof(CaptureOptionsRecord, CompressorKeyFrame) == 1128);
static_assert(offsetof(CaptureOptionsRecord, CompressorQuality) == 1132);
static_assert(offsetof(CaptureOptionsRecord, CompressorDataRate) == 1136);
static_assert(offsetof(CaptureOptionsRecord, CompressorFlags) == 1140);
static_assert(offsetof(CaptureOptionsRecord, reserved3) == 1144);
static_assert(offsetof(CaptureOptionsRecord, AppendFileName) == 1176);
static_assert(offsetof(CaptureOptionsRecord, FreezeLive) == 1180);
static_assert(offsetof(CaptureOptionsRecord, BufferFrames) == 1184);
static_assert(offsetof(CaptureOptionsRecord, CompressorName) == 1188);
static_assert(offsetof(CaptureOptionsRecord, reserved4) == 1708);

// The text of a field, up to its terminator (or its end, when a byte copy left none).
QString GetText(const RecordText& field);
// Stores at most 259 characters and the terminator, zeroing the rest. A longer text
// is refused (false, field unchanged): cutting a path would name another file.
bool SetText(RecordText& field, QStringView text);

}  // namespace capture
