// The application's logging sites. Each checks the engine first, so a disabled
// log costs one look-up.
#pragma once

#include <source_location>

namespace logengine {

// Saving thread: a captured frame with a save type it does not know (ERROR).
void LogIncorrectSaveType(int saveType, std::source_location where = std::source_location::current());
// Saving thread: a frame taken from the capture queue (TRACE).
void LogFrameAdded(int frameNumber, int timeStamp,
                   std::source_location where = std::source_location::current());
// Serial reader thread started or stopped (DEBUG).
void LogUartThread(bool started, std::source_location where = std::source_location::current());
// AVI writer: a frame number or time stamp that does not advance (WARNING).
void LogFrameNumberOverlap(int previous, int current,
                           std::source_location where = std::source_location::current());
void LogTimestampOverlap(int previous, int current,
                         std::source_location where = std::source_location::current());

}  // namespace logengine
