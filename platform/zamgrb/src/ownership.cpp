#include "ownership.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zamgrb {

namespace {

std::string runtimeFolder() {
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir)
        return dir;
    std::string dir = "/tmp/zamgrb-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);  // an existing folder is fine
    return dir;
}

std::string lockPath(uint64_t cardId, uint8_t channel) {
    char name[64];
    std::snprintf(name, sizeof name, "/zamgrb-%016llx-channel%u.lock",
                  static_cast<unsigned long long>(cardId), unsigned(channel));
    return runtimeFolder() + name;
}

// An exclusive lock on the whole file, owned by the open file description: it conflicts
// with every other open of the file, in this process too, and goes with the last close
// of its own descriptor (a classic fcntl lock would go with any close, the probe's too).
struct flock wholeFile() {
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    return range;  // l_start 0 and l_len 0: to the end, however long; l_pid 0 as required
}

}  // namespace

ChannelLock::Outcome ChannelLock::tryAcquire(uint64_t cardId, uint8_t channel,
                                             std::optional<ChannelLock>& lock) {
    int fd = open(lockPath(cardId, channel).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return Outcome::Unavailable;
    struct flock range = wholeFile();
    if (fcntl(fd, F_OFD_SETLK, &range) != 0) {
        const bool held = errno == EAGAIN || errno == EACCES;  // what a conflicting lock answers
        close(fd);
        return held ? Outcome::Busy : Outcome::Unavailable;
    }
    lock.emplace(ChannelLock(fd));
    return Outcome::Taken;
}

ChannelLock& ChannelLock::operator=(ChannelLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

ChannelLock::~ChannelLock() {
    if (fd_ >= 0)
        close(fd_);  // closing the last descriptor releases the lock
}

bool channelLockHeld(uint64_t cardId, uint8_t channel) {
    // Only asks: taking the lock to look would make a concurrent OpenChannel answer busy.
    int fd = open(lockPath(cardId, channel).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno != ENOENT;  // never created: never owned; unreadable: assume owned
    struct flock range = wholeFile();
    const bool held = fcntl(fd, F_OFD_GETLK, &range) != 0 || range.l_type != F_UNLCK;
    close(fd);
    return held;
}

}  // namespace zamgrb
