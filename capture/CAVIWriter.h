// The capture's hands on the movie-maker library: one library instance for the
// clip geometry and compressor, the clip's start, frames and stop, and the
// counters that carry the card's 16-bit frame numbers and 32-bit time stamps
// over their wrap-arounds into the 64-bit values the clip is timed by.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <mutex>

#include "capture/CaptureOptionsRecord.h"

namespace capture {

// The 64-bit frame number and time (100 ns units) of each frame handed to a clip.
class ClipClock {
public:
    struct Tick {
        int64_t time = 0;
        int64_t number = 0;
        bool numberWrapped = false;
        bool timeWrapped = false;
    };
    Tick Next(uint32_t timeStamp, uint32_t frameNumber);
    void Reset() { *this = ClipClock(); }
    uint32_t lastFrameNumber() const { return lastFrameNumber_; }
    uint32_t lastTimeStamp() const { return lastTimeStamp_; }

private:
    uint32_t lastFrameNumber_ = 0;
    uint32_t lastTimeStamp_ = 0;
    uint64_t frameNumberWraps_ = 0;
    uint64_t timeStampWraps_ = 0;
};

// Bytes of a clip bitmap row: whole 32-bit words.
constexpr uint32_t ClipRowStride(uint32_t width, uint32_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// The text of a failing library result: "AVI Writer timeout", or "0x%08X: text",
// or "Unknown Error: 0x%08X".
QString AviErrorText(int32_t result);

class CAVIWriter {
public:
    // The log records of a frame number or time stamp that wrapped (previous, new).
    struct Hooks {
        std::function<void(int, int)> frameNumberOverlap;
        std::function<void(int, int)> timeStampOverlap;
    };
    explicit CAVIWriter(Hooks hooks = {});
    virtual ~CAVIWriter();
    CAVIWriter(const CAVIWriter&) = delete;
    CAVIWriter& operator=(const CAVIWriter&) = delete;

    // User-interface thread: a new instance for the clip geometry (height < 0:
    // rows top to bottom) and the compressor choice. A clip being written keeps
    // its own instance until it ends: the frames queued for it still reach it.
    int32_t Init(uint32_t width, int32_t height, double framesPerSecond, uint32_t option);
    int32_t GetCompressors(QStringList& names) const;
    int32_t SetCompressor(const QString& name, bool& hasOptions) const;
    // owner: the QWidget the dialog belongs to. Takes the record's compressor
    // settings in and, when the user accepts, stores the choice back.
    int32_t ShowCompressorDlg(void* owner, CaptureOptionsRecord& record) const;

    // Saving thread.
    int32_t Start(const CaptureOptionsRecord& record);
    int32_t AddFrame(const void* pixels, uint32_t size, uint32_t timeStamp, uint32_t frameNumber);
    int32_t Stop();

private:
    uint32_t instance() const;

    Hooks hooks_;
    mutable std::mutex mutex_;   // guards both instances
    uint32_t instance_ = 0;      // the one the next clip starts on
    uint32_t clipInstance_ = 0;  // the one the open (or last started) clip is on
    ClipClock clock_;            // saving thread
};

}  // namespace capture
