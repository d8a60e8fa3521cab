// The local time of a captured frame, field for field as the capture names and
// stamps it.
#pragma once

#include <chrono>
#include <cstdint>

namespace capture {

struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};
static_assert(sizeof(SystemTime) == 16);

// A moment in the process's local time zone.
SystemTime ToSystemTime(std::chrono::system_clock::time_point moment);
inline SystemTime LocalTimeNow() {
    return ToSystemTime(std::chrono::system_clock::now());
}

}  // namespace capture
