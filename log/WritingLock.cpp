#include "WritingLock.h"

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
    if (!file_ || !threads_.try_lock_until(deadline))
        return false;
    // flock has no time-out: poll, backing off from 50 us to 2 ms.
    auto pause = std::chrono::microseconds(50);
    for (;;) {
        if (::flock(file_.get(), LOCK_EX | LOCK_NB) == 0)
            return true;
        if ((errno != EWOULDBLOCK && errno != EINTR) || Clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(pause);
        pause = std::min<std::chrono::microseconds>(pause * 2, std::chrono::milliseconds(2));
    }
    threads_.unlock();
    return false;
}

void WritingLock::Unlock() {
    ::flock(file_.get(), LOCK_UN);
    threads_.unlock();
}

}  // namespace logengine
