// The card clock: microseconds on the monotonic clock since the library was loaded.
#pragma once

#include <chrono>
#include <cstdint>

namespace zamgrb {

using Clock = std::chrono::steady_clock;

Clock::time_point clockEpoch();

inline double toMicros(Clock::time_point t) {
    return std::chrono::duration<double, std::micro>(t - clockEpoch()).count();
}
inline Clock::time_point fromMicros(double us) {
    return clockEpoch() +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::micro>(us));
}
inline double nowMicros() {
    return toMicros(Clock::now());
}

}  // namespace zamgrb
