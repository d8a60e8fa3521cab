// Temporary folders and UTF-16 log files read back for the log tests.
#pragma once

#include <QStringList>
#include <filesystem>
#include <string>

namespace logtest {

// A fresh folder below the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string slash() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

struct LogFile {
    int byteOrderMarks = 0;  // anywhere in the file
    bool startsWithMark = false;
    bool evenSize = false;
    bool endsWithLineEnd = false;
    QStringList lines;  // split at "\r\n", without the final empty part
};

std::string ReadBytes(const std::filesystem::path& file);
LogFile ReadLogFile(const std::filesystem::path& file);

}  // namespace logtest
