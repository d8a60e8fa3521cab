// The application's logging sites. Each checks the engine first, so a disabled
// log costs one look-up.
#pragma once

#include <cstdint>
#include <source_location>
#include <string>

namespace logengine {

// Saving thread: a captured frame with a save type it does not know (ERROR).
void LogIncorrectSaveType(int saveType, std::source_location where = std::source_location::current());
// Saving thread: a frame taken from the capture queue (TRACE).
void LogFrameAdded(int frameNumber, int timeStamp,
                   std::source_location where = std::source_location::current());
// Saving thread: a captured frame that could not be written, and why (ERROR).
void LogCaptureFileFailed(const std::string& path, const std::string& reason,
                          std::source_location where = std::source_location::current());
// A capture ended: frames that reached it, written or still being written, and
// lost at the card, at delivery and for want of memory (NOTICE).
void LogCaptureSummary(uint64_t taken, uint64_t saved, uint32_t lostCard, uint32_t lostDelivery,
                       uint64_t lostQueue, std::source_location where = std::source_location::current());
// Serial reader thread started or stopped (DEBUG).
void LogUartThread(bool started, std::source_location where = std::source_location::current());
// AVI writer: a frame number or time stamp that does not advance (WARNING).
void LogFrameNumberOverlap(int previous, int current,
                           std::source_location where = std::source_location::current());
void LogTimestampOverlap(int previous, int current,
                         std::source_location where = std::source_location::current());

}  // namespace logengine
