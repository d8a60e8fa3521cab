#include "ClipFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace kvx {
namespace {

constexpr int kBufferSize = 64 * 1024;
// Reservations grow by at least this; more would be given back unused at the end.
constexpr uint64_t kReserveStep = uint64_t(1) << 20;

}  // namespace

int ClipFile::Create(const std::string& path, std::unique_ptr<ClipFile>& file) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return AVERROR(errno);
    std::unique_ptr<ClipFile> created(new ClipFile(fd));
    auto* buffer = static_cast<uint8_t*>(av_malloc(kBufferSize));
    if (buffer)
        created->io_ = avio_alloc_context(buffer, kBufferSize, 1, created.get(), nullptr, &Write, &Seek);
    if (!created->io_) {
        av_free(buffer);
        return AVERROR(ENOMEM);
    }
    // Frames go straight to the file, not through the buffer.
    created->io_->direct = 1;
    file = std::move(created);
    return 0;
}

ClipFile::~ClipFile() {
    Close();
}

int ClipFile::Write(void* opaque, uint8_t* data, int size) {
    auto* self = static_cast<ClipFile*>(opaque);
    int left = size;
    while (left > 0) {
        const ssize_t written = ::write(self->fd_, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return AVERROR(errno);
        data += written;
        left -= int(written);
        self->position_ += uint64_t(written);
    }
    self->end_ = std::max(self->end_, self->position_);
    return size;
}

int64_t ClipFile::Seek(void* opaque, int64_t offset, int whence) {
    auto* self = static_cast<ClipFile*>(opaque);
    if (whence == AVSEEK_SIZE)
        return int64_t(self->end_);
    const off_t position = ::lseek(self->fd_, offset, whence & ~AVSEEK_FORCE);
    if (position < 0)
        return AVERROR(errno);
    self->position_ = uint64_t(position);
    return position;
}

int ClipFile::Reserve(uint64_t bytes) {
    if (!reserving_ || reservedTo_ >= end_ + bytes)
        return 0;
    const uint64_t from = std::max(end_, reservedTo_);
    for (const uint64_t to : {end_ + std::max(bytes * 2, kReserveStep), end_ + bytes}) {
        if (::fallocate(fd_, FALLOC_FL_KEEP_SIZE, off_t(from), off_t(to - from)) == 0) {
            reservedTo_ = to;
            return 0;
        }
        if (errno != ENOSPC) {
            // The file system keeps no reservations: a full disk shows in a write.
            reserving_ = false;
            return 0;
        }
    }
    return AVERROR(ENOSPC);
}

int ClipFile::Close() {
    if (fd_ < 0)
        return 0;
    int result = 0;
    if (io_) {
        avio_flush(io_);
        result = io_->error;
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
    if (reservedTo_ > end_)
        ::fallocate(fd_, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, off_t(end_), off_t(reservedTo_ - end_));
    if (::close(fd_) != 0 && result == 0)
        result = AVERROR(errno);
    fd_ = -1;
    return result;
}

}  // namespace kvx
