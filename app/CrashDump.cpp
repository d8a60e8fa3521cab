#include "app/CrashDump.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace app {
namespace {

// Filled before the handler is installed; read-only afterwards.
char dumpFolder[1024];
char programBase[256];

constexpr std::array<int, 5> kSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
// The handler's own stack: a stack overflow leaves none on the faulting one.
alignas(16) char alternateStack[64 * 1024];
// Set by the first thread to fault; a second one waits for the first to end the process.
std::atomic_flag writing = ATOMIC_FLAG_INIT;

// mkdir -p for a path in a fixed buffer, without allocating.
void makeFolders(const char* path) {
    char partial[sizeof dumpFolder];
    const size_t n = strnlen(path, sizeof partial - 1);
    for (size_t i = 1; i <= n; ++i) {
        if (path[i] == '/' || path[i] == '\0') {
            memcpy(partial, path, i);
            partial[i] = '\0';
            mkdir(partial, 0755);
        }
    }
}

void writeText(int fd, const char* text) {
    size_t left = strlen(text);
    while (left > 0) {
        const ssize_t n = write(fd, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= size_t(n);
    }
}

// Signal-safe text building: no stdio, no locale, no allocation.
class Text {
public:
    Text(char* buffer, size_t size) : buffer_(buffer), size_(size) { buffer_[0] = '\0'; }
    Text& add(const char* text) {
        while (*text && used_ + 1 < size_)
            buffer_[used_++] = *text++;
        buffer_[used_] = '\0';
        return *this;
    }
    Text& add(unsigned long value, int width = 0, int base = 10) {
        char digits[24];
        int n = 0;
        do {
            digits[n++] = "0123456789abcdef"[value % unsigned(base)];
            value /= unsigned(base);
        } while (value && n < 24);
        while (n < width && n < 24)
            digits[n++] = '0';
        while (n > 0 && used_ + 1 < size_)
            buffer_[used_++] = digits[--n];
        buffer_[used_] = '\0';
        return *this;
    }

private:
    char* buffer_;
    size_t size_;
    size_t used_ = 0;
};

long utcOffsetSeconds;  // local time minus UTC, taken at installation

// Civil date from days since 1970-01-01 (proleptic Gregorian), without the C library.
void civilFromDays(long days, long& year, unsigned& month, unsigned& day) {
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = unsigned(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = long(yoe) + era * 400 + (month <= 2);
}

// Opens a new dump file: the plain name, or with "-2", "-3", ... when a dump of
// the same second is there already.
int createDump(char* path, size_t size) {
    const size_t stem = strnlen(path, size) - 4;  // without ".dmp"
    for (unsigned n = 1; n < 100; ++n) {
        if (n > 1) {
            path[stem] = '\0';
            Text(path + stem, size - stem).add("-").add(n).add(".dmp");
        }
        const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void onFatalSignal(int signal, siginfo_t* info, void*) {
    if (writing.test_and_set()) {
        for (;;)
            pause();
    }
    makeFolders(dumpFolder);
    const long local = long(time(nullptr)) + utcOffsetSeconds;
    const long days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    const long seconds = local - days * 86400;
    long year = 0;
    unsigned month = 0, day = 0;
    civilFromDays(days, year, month, day);
    char path[sizeof dumpFolder + sizeof programBase + 32];
    Text(path, sizeof path)
        .add(dumpFolder)
        .add(programBase)
        .add("_")
        .add(unsigned(year), 4)
        .add(month, 2)
        .add(day, 2)
        .add(unsigned(seconds / 3600), 2)
        .add(unsigned(seconds / 60 % 60), 2)
        .add(unsigned(seconds % 60), 2)
        .add(".dmp");
    const int fd = createDump(path, sizeof path);
    if (fd >= 0) {
        char head[160];
        Text(head, sizeof head)
            .add("signal ")
            .add(unsigned(signal))
            .add("\naddress 0x")
            .add(reinterpret_cast<unsigned long>(info ? info->si_addr : nullptr), 0, 16)
            .add("\nthread ")
            .add(unsigned(gettid()))
            .add("\nbacktrace:\n");
        writeText(fd, head);
        void* frames[64];
        const int count = backtrace(frames, 64);
        backtrace_symbols_fd(frames, count, fd);
        close(fd);
    }
    // With the default action back, raising again ends the process the way the
    // signal would have.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigaction(signal, &fallback, nullptr);
    raise(signal);
}

void copyTruncated(char* destination, size_t size, const std::string& source) {
    snprintf(destination, size, "%s", source.c_str());
}

}  // namespace

std::string CrashDumpFolder() {
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(shared).filePath(QStringLiteral("Korvan/Event Recorder/Dumps/")).toStdString();
}

void InstallCrashDumpWriter(const std::string& folder, const std::string& programName) {
    copyTruncated(dumpFolder, sizeof dumpFolder, folder);
    copyTruncated(programBase, sizeof programBase, programName);
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    utcOffsetSeconds = local.tm_gmtoff;
    // backtrace() loads libgcc on first use, which may allocate: do it now, not in the handler.
    void* warm[1];
    backtrace(warm, 1);
    // The main thread's alternate stack; threads that overflow their own stack
    // without one die without a dump.
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    // No SA_RESETHAND: a second thread faulting meanwhile must wait in the
    // handler, not die with the default action halfway through the dump.
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int s : kSignals)
        sigaction(s, &action, nullptr);
}

}  // namespace app
