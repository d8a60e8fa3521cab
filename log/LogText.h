// Text making of the log engine: messages, time texts and the five line layouts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log/LogRecord.h"

namespace logengine {

inline constexpr int kMaxMessageChars = 511;
inline constexpr int kMaxLineChars = 4095;

// "DEBUG" ... "MANDATORY"; 6 is written as "MANDATORY", anything above as "bad severity".
const char* SeverityName(uint32_t severity);

// The last folder and the file name: the text after the second-to-last separator
// ('\' or '/'), or the whole text when it has fewer than two.
std::string ShortenSourceFile(std::string_view path);

// printf-style message, cut to 511 UTF-16 characters; "Can't prepare error
// message" when memory is short.
std::string FormatMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "dd.mm.yyyy hh:mm:ss.ms" of the local time now (milliseconds not padded); stores
// the date in the record. "error_data error_time" when the time cannot be read.
std::string MakeTimeText(LogRecord& record);

// Cuts a UTF-8 text to at most `maxChars` UTF-16 characters without splitting one.
std::string TruncateUtf16(std::string text, int maxChars);

// Number of UTF-16 characters of a UTF-8 text.
int Utf16Length(std::string_view text);

// What the engine adds to a record for its lines.
struct LineContext {
    uint64_t recordId = 0;
    int nestingLevel = 0;
};

// The record's line for a channel of detail level 1 to 5 (any other: empty).
// Missing texts must already be filled in.
std::string FormatLine(uint32_t detailLevel, const LogRecord& record, const LineContext& context);

}  // namespace logengine
