// Where the log engine reports its own failures. By default nowhere: a program
// must not stop because its log cannot be written.
#pragma once

#include <functional>
#include <string>

namespace logengine {

using ErrorHook = std::function<void(const std::string& caption, const std::string& text)>;

inline constexpr const char* kFileChannelCaption = "The initialization of file output channel";
inline constexpr const char* kEngineCaption = "The initialization of Log Engine";

// Installs the hook (an empty one silences reports); answers the previous one.
// Set it before logging starts.
ErrorHook SetErrorHook(ErrorHook hook);
void ReportError(const std::string& caption, const std::string& text);

}  // namespace logengine
