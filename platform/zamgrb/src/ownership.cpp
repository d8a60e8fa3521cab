#include "ownership.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace

std::optional<ChannelLock> ChannelLock::tryAcquire(uint64_t cardId, uint8_t channel) {
    int fd = open(lockPath(cardId, channel).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::nullopt;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return std::nullopt;
    }
    return ChannelLock(fd);
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
        close(fd_);  // closing the last descriptor releases the flock
}

bool channelLockHeld(uint64_t cardId, uint8_t channel) {
    return !ChannelLock::tryAcquire(cardId, channel);
}

}  // namespace zamgrb
