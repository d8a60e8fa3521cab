#include "log/FileOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <cerrno>
#include <ctime>
#include <filesystem>

#include "log/LogErrors.h"

namespace logengine {
namespace {

const std::string kByteOrderMark("\xFF\xFE", 2);

std::string EncodeUtf16Le(std::string_view text) {
    const QString wide = QString::fromUtf8(text.data(), qsizetype(text.size())) + QStringLiteral("\r\n");
    std::string bytes;
    bytes.reserve(size_t(wide.size()) * 2);
    for (const QChar c : wide) {
        bytes.push_back(char(c.unicode() & 0xFF));
        bytes.push_back(char(c.unicode() >> 8));
    }
    return bytes;
}

}  // namespace

void FileOutput::Configure(std::string baseName, std::string directory, bool createAlways, bool datedName) {
    baseName_ = baseName.empty() ? "ILog" : std::move(baseName);
    directory_ = std::move(directory);
    createAlways_ = createAlways;
    datedName_ = datedName;
}

std::string FileOutput::BuildFileName() const {
    char suffix[64];
    if (datedName_)
        std::snprintf(suffix, sizeof suffix, "_%02u_%02u_%04u.txt", date_.day, date_.month, date_.year);
    else
        std::snprintf(suffix, sizeof suffix, ".txt");
    return directory_ + baseName_ + suffix;
}

int FileOutput::Open() {
    const time_t now = std::time(nullptr);
    tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        ReportError(kFileChannelCaption, "Failed to read the local time, error: " + std::to_string(errno));
        return errno != 0 ? errno : EINVAL;
    }
    date_ = {uint32_t(local.tm_mday), uint32_t(local.tm_mon + 1), uint32_t(local.tm_year + 1900)};
    if (directory_.size() > 3) {
        std::error_code error;
        std::filesystem::create_directories(directory_, error);
        if (error) {
            ReportError(kFileChannelCaption, "Can't create directory: " + directory_ +
                                                 "; error: " + std::to_string(error.value()));
            return error.value();
        }
    }
    if (const int error = lock_.Open()) {
        ReportError(kFileChannelCaption,
                    "Can't open mutex: " + WritingLock::Path() + "; error: " + std::to_string(error));
        return error;
    }
    WritingLockGuard guard(lock_);
    return OpenFile();
}

int FileOutput::OpenFile() {
    fileName_ = BuildFileName();
    const int fd = ::open(fileName_.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        ReportError(kFileChannelCaption,
                    "Can't create log file: " + fileName_ + "; error: " + std::to_string(error));
        return error;
    }
    file_.reset(fd);
    if (createAlways_ && ::ftruncate(fd, 0) != 0)
        return errno;
    return 0;
}

bool FileOutput::WriteAll(const std::string& record) {
    struct stat status {};
    if (::fstat(file_.get(), &status) != 0)
        return false;
    // The mark belongs at the start of the file only: an existing file keeps its
    // first bytes and gets the record appended.
    const std::string bytes = status.st_size == 0 ? kByteOrderMark + record : record;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file_.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

void FileOutput::Write(std::string_view text, const LogRecord& record) {
    const std::string bytes = EncodeUtf16Le(text);
    WritingLockGuard guard(lock_);
    if (!guard)
        return;  // dropped: another writer held the lock too long
    const Date recordDate{record.day, record.month, record.year};
    if (record.day != kNoDay && recordDate != date_) {
        if (file_)
            ::fdatasync(file_.get());
        file_.reset();
        date_ = recordDate;
        OpenFile();
    }
    if (!file_ || !WriteAll(bytes))
        return;
    if (record.severity == kError || !buffered_)
        ::fdatasync(file_.get());
}

uint64_t FileOutput::GetSize() {
    WritingLockGuard guard(lock_);
    struct stat status {};
    if (!guard || !file_ || ::fstat(file_.get(), &status) != 0)
        return 0;
    return uint64_t(status.st_size);
}

std::string FileOutput::FileName() {
    WritingLockGuard guard(lock_);
    return fileName_;
}

void FileOutput::Close() {
    if (file_) {
        WritingLockGuard guard(lock_);
        if (guard)
            ::fdatasync(file_.get());
        file_.reset();
    }
    lock_.CloseHandle();
}

}  // namespace logengine
