#include "capture/SystemTime.h"

#include <ctime>

namespace capture {

SystemTime ToSystemTime(std::chrono::system_clock::time_point moment) {
    const auto second = std::chrono::floor<std::chrono::seconds>(moment);
    const std::time_t time = std::chrono::system_clock::to_time_t(second);
    std::tm local{};
    localtime_r(&time, &local);
    SystemTime t;
    t.year = uint16_t(local.tm_year + 1900);
    t.month = uint16_t(local.tm_mon + 1);
    t.dayOfWeek = uint16_t(local.tm_wday);
    t.day = uint16_t(local.tm_mday);
    t.hour = uint16_t(local.tm_hour);
    t.minute = uint16_t(local.tm_min);
    t.second = uint16_t(local.tm_sec);
    t.milliseconds = uint16_t(std::chrono::duration_cast<std::chrono::milliseconds>(moment - second).count());
    return t;
}

}  // namespace capture
