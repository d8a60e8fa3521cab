// One log record as a logging site fills it, and the names the engine uses.
#pragma once

#include <cstdint>
#include <string>

namespace logengine {

enum Severity : uint32_t {
    kDebug = 0,
    kTrace = 1,
    kNotice = 2,
    kWarning = 3,
    kError = 4,
    kMandatory = 5,
    kEngineRecord = 6,  // the engine's own open and close lines, written as MANDATORY
};

enum ChannelType : uint32_t { kSystemChannel = 1, kFileChannel = 2, kIdeChannel = 3 };

// Handle 0 stands for this one.
inline constexpr uint32_t kDefaultHandle = 0xFFFFFFFFu;
// `day` of a record whose time text was never made.
inline constexpr uint32_t kNoDay = 0xFFFFFFFFu;
// The component tag of every record the application writes.
inline constexpr const char* kComponentTag = "ZAMGRB3";

// Texts are UTF-8; an empty text counts as missing and is written as "undefined".
// The file channel writes them as UTF-16.
struct LogRecord {
    uint32_t processId = 0;
    uint32_t threadId = 0;
    std::string timeText;
    std::string moduleName;
    uint64_t moduleInstance = 0;
    std::string componentTag;
    std::string sourceFile;
    std::string functionName;
    uint32_t line = 0;
    uint32_t severity = kMandatory;
    int32_t code = -1;
    std::string message;
    uint32_t day = kNoDay;
    uint32_t month = 0;
    uint32_t year = 0;
};

}  // namespace logengine
