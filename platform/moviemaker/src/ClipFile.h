// The file a clip is written into, behind FFmpeg's I/O. Everything handed to it
// goes to the file at once, so a killed process leaves every whole frame behind.
// It keeps disk space reserved beyond the end for what is still to come, so a
// full disk is noticed before a frame is written and the clip can still be ended.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

extern "C" {
#include <libavformat/avio.h>
}

namespace kvx {

class ClipFile {
public:
    // Creates (or empties) the file; a negative AVERROR when it cannot.
    static int Create(const std::string& path, std::unique_ptr<ClipFile>& file);
    ~ClipFile();
    ClipFile(const ClipFile&) = delete;
    ClipFile& operator=(const ClipFile&) = delete;

    AVIOContext* io() const { return io_; }
    // Makes sure `bytes` more can be written after the end; AVERROR(ENOSPC) when
    // the disk has not that much. Without reservations on the file system, 0.
    int Reserve(uint64_t bytes);
    // Flushes, gives back the space reserved beyond the end and closes.
    int Close();

private:
    explicit ClipFile(int fd) : fd_(fd) {}
    static int Write(void* opaque, uint8_t* data, int size);
    static int64_t Seek(void* opaque, int64_t offset, int whence);

    int fd_ = -1;
    AVIOContext* io_ = nullptr;
    uint64_t position_ = 0;    // where the next write goes
    uint64_t end_ = 0;         // bytes in the file
    uint64_t reservedTo_ = 0;  // space held up to here
    bool reserving_ = true;
};

}  // namespace kvx
