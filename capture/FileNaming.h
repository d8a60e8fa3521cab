// Where captured frames go: the name of each file, the extension of the image
// format, and the next FileName after a capture so that it never overwrites the
// last one. Paths may use "/" or "\" as separators.
#pragma once

#include <QString>
#include <chrono>
#include <cstdint>

#include "capture/CaptureOptionsRecord.h"

namespace capture {

// A local time in eight 16-bit fields, as kept with each captured frame.
struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;      // 1..12
    uint16_t dayOfWeek = 0;  // 0 = Sunday
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};
static_assert(sizeof(SystemTime) == 16);

// A moment in the process's local time zone.
SystemTime ToSystemTime(std::chrono::system_clock::time_point moment);
inline SystemTime LocalTimeNow() {
    return ToSystemTime(std::chrono::system_clock::now());
}

// `path` with the extension of `kind` (an options page or a SaveType): ".avi" for
// clips, else that of `imageType`. An extension after the last separator is
// replaced. A kind or image type without an extension leaves the path as it is.
QString FixExtension(const QString& path, uint32_t kind, uint32_t imageType);

// The FileName after `fileName`: the number at the end of its base, plus one, with
// at least as many digits (none counts as 0): glintrail.bmp -> glintrail1.bmp,
// img0099.bmp -> img0100.bmp, Glintrail -> Glintrail1.
QString AdvanceFileName(const QString& fileName);

// Names the frames of the captures of one saving thread. It remembers the time of
// the last frame so that frames within one millisecond get distinct names.
class FrameNamer {
public:
    // The file of one frame. A single frame or clip goes to the record's FileName; a
    // series goes into the folder FileName, named by `passIndex` with the digits of
    // AppendFileName, or by `localTime` (with "_1", "_2" ... for a repeated
    // millisecond). The extension follows `saveType` and the record's ImageType.
    // Empty for an unknown SaveType.
    QString Name(const CaptureOptionsRecord& record, uint32_t saveType, uint32_t passIndex,
                 const SystemTime& localTime);

private:
    SystemTime remembered_;
    uint32_t repeat_ = 0;
};

}  // namespace capture
