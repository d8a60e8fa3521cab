#include "CrashDump.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <array>
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

void onFatalSignal(int signal, siginfo_t* info, void*) {
    makeFolders(dumpFolder);
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    char path[sizeof dumpFolder + sizeof programBase + 128];
    snprintf(path, sizeof path, "%s%s_%04d%02d%02d%02d%02d%02d.dmp", dumpFolder, programBase,
             local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
             local.tm_sec);
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        char head[256];
        snprintf(head, sizeof head, "signal %d (%s)\naddress %p\nthread %ld\nbacktrace:\n", signal,
                 strsignal(signal), info ? info->si_addr : nullptr, long(gettid()));
        writeText(fd, head);
        void* frames[64];
        const int count = backtrace(frames, 64);
        backtrace_symbols_fd(frames, count, fd);
        close(fd);
    }
    // SA_RESETHAND restored the default action: raising again ends the process
    // the way the signal would have.
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
    // backtrace() loads libgcc on first use, which may allocate: do it now, not in the handler.
    void* warm[1];
    backtrace(warm, 1);
    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int s : kSignals)
        sigaction(s, &action, nullptr);
}

}  // namespace app
