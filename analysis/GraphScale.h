// The numeric rules of the histogram and profile graphs: log counts, tick
// steps, the y ranges that follow the data without jumping on every frame,
// and the marker levels set with the mouse.
#pragma once

#include <cstdint>
#include <vector>

namespace histo {

// A count on the log axis: each decade takes 100 units (1 -> 10, 10 -> 110,
// 5000 -> 350); 0 stays 0.
int LogCount(uint32_t count);

// Axis tick steps for the given units per pixel.
double XTickStep(double unitsPerPixel);
double YTickStep(double unitsPerPixel);

// The histogram's y range for a new peak; true when it changed.
bool UpdateHistogramYRange(int peak, int& yMin, int& yMax);
// The profile's y range for new extremes; true when it changed.
bool UpdateProfileYRange(uint32_t low, uint32_t high, int& yMin, int& yMax);

// The level under pixel x of a plot: xMin + (xMax - xMin) * (x - left) / width.
int LevelAt(int x, int plotLeft, int plotWidth, int xMin, int xMax);

// Pixels at or below the low limit and at or above the high limit, counted over
// bins 0 .. size - 2; a negative limit counts nothing.
struct MarkerCounts {
    uint64_t below = 0, above = 0;
};
MarkerCounts CountMarkers(const std::vector<uint32_t>& counts, int low, int high);

// A mouse-set limit; the other one is pushed along so low <= high while both are set.
void SetLowLimit(int level, int& low, int& high);
void SetHighLimit(int level, int& low, int& high);

}  // namespace histo
