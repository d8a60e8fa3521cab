#include "capture/ReplaceFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace capture {

namespace {

std::atomic<unsigned> temporaryCounter{0};

WriteResult failure(const std::string& path, int error) {
    return WriteResult::Failure("Cannot write " + path + ": " + std::strerror(error), error);
}

// The temporary file: closed and removed unless it was renamed into place.
class Temporary {
public:
    Temporary(std::string name, int fd) : name_(std::move(name)), fd_(fd) {}
    ~Temporary() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!committed_)
            ::unlink(name_.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    // 0 or the errno of the failing call.
    int write(const void* data, size_t size) {
        const auto* p = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = ::write(fd_, p, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return errno;
            if (n == 0)
                return EIO;
            p += n;
            size -= size_t(n);
        }
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }
    int renameTo(const std::string& path) {
        if (std::rename(name_.c_str(), path.c_str()) != 0)
            return errno;
        committed_ = true;
        return 0;
    }

private:
    std::string name_;
    int fd_;
    bool committed_ = false;
};

}  // namespace

WriteResult ReplaceFile(const std::string& path, const void* data, size_t size) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return failure(path, EISDIR);
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        // A hidden name in the same folder, so the rename stays on one file system.
        const std::string candidate = folder + "." + name + "." + std::to_string(::getpid()) + "-" +
                                      std::to_string(temporaryCounter.fetch_add(1)) + ".tmp";
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = errno;
            continue;
        }
        Temporary file(candidate, fd);
        error = file.write(data, size);
        if (error == 0)
            error = file.renameTo(path);
        return error == 0 ? WriteResult{} : failure(path, error);
    }
    return failure(path, error);
}

}  // namespace capture
