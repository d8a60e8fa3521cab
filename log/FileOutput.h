// The file channel: UTF-16LE lines ending in "\r\n", one file per date when the
// name carries the date, every write under the writing lock.
#pragma once

#include <string>

#include "log/LogOutput.h"
#include "log/UniqueFd.h"
#include "log/WritingLock.h"

namespace logengine {

class FileOutput final : public LogOutput {
public:
    FileOutput() : LogOutput("File_Output", kFileChannel) {}
    ~FileOutput() override { Close(); }

    // Set before Open. `directory` ends with '/'; an empty base name means "ILog".
    void Configure(std::string baseName, std::string directory, bool createAlways, bool datedName);
    // Buffered: the file is not synced after every record, only after ERROR records.
    void setBuffered(bool buffered) { buffered_ = buffered; }

    uint64_t GetSize() override;
    int Open() override;
    void Close() override;
    void Write(std::string_view text, const LogRecord& record) override;

    // The path of the file being written.
    std::string FileName();

private:
    struct Date {
        uint32_t day = kNoDay, month = 0, year = 0;
        bool operator==(const Date&) const = default;
    };

    std::string BuildFileName() const;
    // Opens the file of the stored date; 0 or the error number. Holds the lock.
    int OpenFile();
    // Writes the byte-order mark when the file is empty. Holds the lock.
    bool WriteAll(const std::string& bytes);

    std::string baseName_ = "ILog";
    std::string directory_;
    bool createAlways_ = true;
    bool datedName_ = true;
    bool buffered_ = true;
    Date date_;
    std::string fileName_;
    WritingLock lock_;
    UniqueFd file_;
};

}  // namespace logengine
