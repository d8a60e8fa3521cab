// Where captured frames go: the name of each file, the extension of the image
// format, and the next FileName after a capture so that it never overwrites the
// last one. Paths may use "/" or "\" as separators.
#pragma once

#include <QString>
#include <chrono>
#include <cstdint>

#include "capture/CaptureOptionsRecord.h"
#include "capture/SystemTime.h"

namespace capture {

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
