// The stored capture choices: the record of each mode, the image format, the mode,
// Normalize and the JPEG quality, kept in the profile under "Settings".
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "capture/CaptureOptionsRecord.h"

namespace capture {

struct CaptureSettings {
    // The defaults, with the files on the user's desktop.
    CaptureSettings();
    // The defaults, with the files in `desktopFolder`.
    explicit CaptureSettings(const QString& desktopFolder);

    CaptureOptionsRecord avi;
    CaptureOptionsRecord series;
    CaptureOptionsRecord singleFrame;
    uint32_t SaveType = kSaveSingleFrame;
    uint32_t ImageType = kImageBmp;
    bool Normalize = false;
    uint32_t JPGQuality = 0;  // JPEG quality 100 - 10 x JPGQuality

    // The record of the current SaveType.
    CaptureOptionsRecord& Current();
    const CaptureOptionsRecord& Current() const;

    // The image format, copied into the single-frame and series records. False
    // (nothing changed) for a value that is no image format.
    bool SetImageType(uint32_t imageType);
    // The mode, which chooses the current record. False (nothing changed) for a
    // value that is no mode.
    bool SetSaveType(uint32_t saveType);

    // Reads every stored value. A value that is missing, of another type or size,
    // or out of the range of its field leaves the field as it is; the AVI FPS is
    // 30 unless a finite positive one is stored, and its CompressorFlags 0.
    void Load();
    // Writes the top-level values and the values of the current mode's record.
    void Save() const;
};

// The entry of `listed` to select for a stored compressor name: the one equal to it
// (case-sensitive), else the first; -1 when the list is empty.
int SelectCompressor(const QStringList& listed, const QString& stored);

}  // namespace capture
