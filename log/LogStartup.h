// Start-up of the log engine from the profile's "Log" section.
#pragma once

namespace logengine {

// Reads the "Log" section and opens the engine's output channels. Runs once,
// early in the application's start-up, before the main frame exists.
void ConfigureLoggingAtStartup();

}  // namespace logengine
