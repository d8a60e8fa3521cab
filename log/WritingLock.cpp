#include "log/WritingLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <thread>

namespace logengine {

std::string WritingLock::Path() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0' && ::access(runtime, W_OK) == 0)
        return std::string(runtime) + "/KXLIB_WRITING_MUTEX.lock";
    return "/tmp/KXLIB_WRITING_MUTEX-" + std::to_string(::getuid()) + ".lock";
}

int WritingLock::Open() {
    const int fd = ::open(Path().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return errno;
    file_.reset(fd);
    return 0;
}

bool WritingLock::Lock(std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    if (!file_)
        return false;
    // Neither the thread lock nor flock is waited on with a time-out: both are
    // tried, backing off from 50 us to 2 ms, until the deadline.
    bool threadsHeld = false;
    auto pause = std::chrono::microseconds(50);
    for (;;) {
        if (!threadsHeld)
            threadsHeld = threads_.try_lock();
        if (threadsHeld) {
            if (::flock(file_.get(), LOCK_EX | LOCK_NB) == 0)
                return true;
            if (errno != EWOULDBLOCK && errno != EINTR)
                break;
        }
        if (Clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(pause);
        pause = std::min<std::chrono::microseconds>(pause * 2, std::chrono::milliseconds(2));
    }
    if (threadsHeld)
        threads_.unlock();
    return false;
}

void WritingLock::Unlock() {
    ::flock(file_.get(), LOCK_UN);
    threads_.unlock();
}

}  // namespace logengine
