// Channel ownership between processes: one open-file-description lock (fcntl
// F_OFD_SETLK) per card and channel on a file in the user's runtime folder. The kernel
// drops the lock when its owner exits or dies; others can ask about it without taking it.
#pragma once

#include <cstdint>
#include <optional>

namespace zamgrb {

class ChannelLock {
public:
    enum class Outcome { Taken, Busy, Unavailable };
    // Takes the lock without waiting into `lock`: Busy when another open file holds it
    // (another process, or another handle of this one), Unavailable when the lock file
    // cannot be opened or locked at all (a missing or read-only runtime folder).
    static Outcome tryAcquire(uint64_t cardId, uint8_t channel, std::optional<ChannelLock>& lock);

    ChannelLock(ChannelLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    ChannelLock& operator=(ChannelLock&& other) noexcept;
    ChannelLock(const ChannelLock&) = delete;
    ChannelLock& operator=(const ChannelLock&) = delete;
    ~ChannelLock();

private:
    explicit ChannelLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

// True when some open file (of any process, this one included) holds the lock; asks
// without taking it, so it never makes a concurrent tryAcquire fail.
bool channelLockHeld(uint64_t cardId, uint8_t channel);

}  // namespace zamgrb
