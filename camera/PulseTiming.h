// The pulse generator's arithmetic: cycle counts against nanoseconds, the master
// frequency and the checks a generator must pass before it is started.
#pragma once

#include <QString>
#include <cstdint>

#include "zamgrb.h"

namespace cccontrol {

inline constexpr int kCycleMax = 65535;  // every count, the granularity and the four times

// Clamps to 1..65535.
uint16_t ClampCount(int64_t value);

// The leading decimal number of a text (blanks and a sign first); 0 without
// digits, saturated beyond the 64-bit range.
int64_t LeadingNumber(const QString& text);

// A typed time in nanoseconds as whole cycles of granularity x 10 ns, rounded down
// and clamped to 1..65535.
uint16_t CyclesOf(const QString& nanoseconds, uint16_t granularity);

// The time of a cycle count in nanoseconds.
QString NanosecondsText(int64_t cycles, int64_t granularity);

// 1e9 / (period x granularity x 10) Hz with two decimals; both clamped to 1..65535.
QString FrequencyText(int64_t masterPeriod, int64_t granularity);

// The string id of the first timing a running generator cannot have (master
// width, slave width, slave delay, each below the master period); 0 when none.
int PeriodCheck(const PulseGeneratorSettings& settings);

// The spinner step after a button has been held for that long.
int AcceleratedStep(double heldSeconds);

}  // namespace cccontrol
