#include "TemporaryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace zamgrb::image {

namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

std::atomic<unsigned> counter{0};

}  // namespace

std::optional<TemporaryFile> TemporaryFile::create(const std::string& destination) {
    if (destination.empty() || destination.back() == '/')
        return {};
    const size_t slash = destination.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : destination.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? destination : destination.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = folder + "." + name + "." + std::to_string(::getpid()) + "-" +
                                      std::to_string(counter.fetch_add(1)) + ".tmp";
        // 0666 so that the finished file gets the permissions the umask allows.
        Descriptor d{::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
        if (d.fd >= 0)
            return TemporaryFile(destination, candidate);
        if (errno != EEXIST)
            return {};
    }
    return {};
}

TemporaryFile::TemporaryFile(std::string destination, std::string temporary)
    : destination_(std::move(destination)), temporary_(std::move(temporary)) {}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : destination_(std::move(other.destination_)),
      temporary_(std::move(other.temporary_)),
      committed_(other.committed_) {
    other.committed_ = true;  // the moved-from object owns nothing
}

TemporaryFile::~TemporaryFile() {
    if (!committed_)
        ::unlink(temporary_.c_str());
}

bool TemporaryFile::write(const void* data, size_t size) {
    Descriptor d{::open(temporary_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)};
    if (d.fd < 0)
        return false;
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(d.fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    const int fd = d.fd;
    d.fd = -1;
    return ::close(fd) == 0;
}

bool TemporaryFile::commit() {
    if (committed_ || std::rename(temporary_.c_str(), destination_.c_str()) != 0)
        return false;
    committed_ = true;
    return true;
}

}  // namespace zamgrb::image
