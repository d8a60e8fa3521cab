// The process-wide registry of log engines and the calls every logging site uses.
// A site checks IsEnabled, fills a record (MakeTimeText, FormatMessage) and calls Log.
#pragma once

#include <cstdint>
#include <string>

#include "log/LogRecord.h"

namespace logengine {

struct DetailLevels {
    uint32_t system = 0;
    uint32_t file = 0;
    uint32_t ide = 0;
};

// Opens (or shares, counting references) the engine of `handle` with a channel for
// every non-zero detail level. Only handle 0 (the default handle) can be created.
// 0, or -1 when no channel could be opened.
int Initialize(uint32_t handle, const std::string& baseName, const std::string& directory, bool createAlways,
               bool datedName, const DetailLevels& levels);

// Sets the threshold of the channels of `type` (5 and above are stored as 4).
// 0, or -1 when the engine does not exist or has no channel.
int SetThreshold(uint32_t handle, uint32_t threshold, ChannelType type);

// Whether a record of `severity` would reach at least one channel.
bool IsEnabled(uint32_t handle, uint32_t severity, uint64_t moduleInstance = 0);

// Writes the record to every channel whose threshold it passes. 0, or -1 when the
// engine does not exist or has no open channel.
int Log(uint32_t handle, const LogRecord& record);

// Drops one reference; the last one writes the close line and closes the channels.
void Close(uint32_t handle);

// The directory the file channel uses for `directory`: its full path when it is an
// existing folder, else the current directory; always ending with '/'.
std::string ResolveLogDirectory(const std::string& directory);

// The path of the file the engine of `handle` writes; empty when it has no file channel.
std::string LogFileName(uint32_t handle);

}  // namespace logengine
