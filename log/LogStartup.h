// Start-up of the log engine from the profile's "Log" section.
#pragma once

#include <string>

#include "log/LogEngine.h"

namespace logengine {

// The "Log" section of the profile.
struct LogSettings {
    DetailLevels detail;
    uint32_t systemThreshold = 7;
    uint32_t fileThreshold = 7;
    uint32_t ideThreshold = 7;
    std::string directory;
};

// Reads the "Log" section and opens the engine's output channels. Runs once,
// early in the application's start-up, before the main frame exists.
void ConfigureLoggingAtStartup();

// Opens the default engine (base name "ZAMGRB3") with these settings.
void ConfigureLogging(const LogSettings& settings);

// The "Log" section as stored; absent values keep their defaults.
LogSettings ReadLogSettings();

}  // namespace logengine
