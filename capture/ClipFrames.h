// The clip of a writing pass: opened at its first frame, fed with each converted
// frame as a top-down 8-bit or 24-bit bitmap, ended with the pass.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "capture/CAVIWriter.h"
#include "capture/CaptureEngine.h"
#include "capture/ImageFileWriter.h"

namespace capture {

// The bitmap of a converted frame: 24-bit rows from four-channel colour (the
// fourth byte dropped) or 8-bit rows, each padded to whole 32-bit words.
// Answers false when there is no memory for it.
bool FillClipBitmap(const PreparedImage& image, std::vector<uint8_t>& bitmap);

// Most frames the queue may hold while a clip of frames of this description is
// written: about 1 GiB of them.
uint32_t ClipQueueLimit(const CameraDescription& description);

// What the saving thread tells of its clips, on the saving thread.
struct ClipHooks {
    // The frame number and time stamp of every frame a clip took.
    std::function<void(uint32_t frameNumber, uint32_t timeStamp)> frameAdded;
    // A clip could not be ended properly: the library's result.
    std::function<void(int32_t result)> endFailed;
};

class ClipFrames {
public:
    ClipFrames(CAVIWriter& writer, ClipHooks hooks);

    // Opens the clip at the record's FileName when none is open, then adds the frame.
    FrameSaver::Result Add(const PreparedImage& image, const CapturedFrame& frame,
                           const CaptureOptionsRecord& record);
    // Ends the open clip.
    void End();
    // 0 while no clip is open.
    uint32_t queueLimit() const { return open_ ? queueLimit_ : 0; }

private:
    CAVIWriter& writer_;
    ClipHooks hooks_;
    bool open_ = false;
    uint32_t queueLimit_ = 0;
    std::vector<uint8_t> bitmap_;
};

}  // namespace capture
