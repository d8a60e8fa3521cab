// "KXLIB_WRITING_MUTEX": serialises log file writes between the threads of this
// process and between processes. It is an flock on a lock file, so the kernel
// releases it when a holder dies, however it dies.
#pragma once

#include <chrono>
#include <mutex>
#include <string>

#include "log/UniqueFd.h"

namespace logengine {

inline constexpr std::chrono::milliseconds kWritingLockTimeout{25000};

class WritingLock {
public:
    // The lock file: in the user's runtime folder, else in /tmp.
    static std::string Path();

    // Opens (creating) the lock file; 0 or the error number.
    int Open();
    bool IsOpen() const { return bool(file_); }
    void CloseHandle() { file_.reset(); }

    // Waits at most `timeout` for the lock; false when it was not taken.
    bool Lock(std::chrono::milliseconds timeout);
    void Unlock();

private:
    std::mutex threads_;
    UniqueFd file_;
};

// Holds the lock for a scope when it could be taken in time.
class WritingLockGuard {
public:
    explicit WritingLockGuard(WritingLock& lock, std::chrono::milliseconds timeout = kWritingLockTimeout)
        : lock_(lock), owned_(lock.Lock(timeout)) {}
    ~WritingLockGuard() {
        if (owned_)
            lock_.Unlock();
    }
    WritingLockGuard(const WritingLockGuard&) = delete;
    WritingLockGuard& operator=(const WritingLockGuard&) = delete;
    explicit operator bool() const { return owned_; }

private:
    WritingLock& lock_;
    bool owned_;
};

}  // namespace logengine
