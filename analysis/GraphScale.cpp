#include "analysis/GraphScale.h"

#include <algorithm>
#include <cmath>

namespace histo {
namespace {

// The next multiple of step above a non-zero value, even one already on a multiple.
int RoundUp(int value, int step) {
    return value == 0 ? 0 : (value / step + 1) * step;
}

int RoundDown(int value, int step) {
    return value / step * step;
}

}  // namespace

int LogCount(uint32_t count) {
    // (10 e + c / 10^e) x 10 with e = trunc(log10 c), in exact integers.
    int e = 0;
    uint64_t decade = 1;
    while (count >= decade * 10) {
        ++e;
        decade *= 10;
    }
    return int(100 * e + uint64_t(count) * 10 / decade);
}

double XTickStep(double unitsPerPixel) {
    double step = 0.001;
    while (step < 1000) {
        if (step / unitsPerPixel > 22.5)
            break;
        if (2 * step / unitsPerPixel > 125)
            return 2 * step;
        if (5 * step / unitsPerPixel > 125)
            return 5 * step;
        step *= 10;
    }
    return step;
}

double YTickStep(double unitsPerPixel) {
    double step = 0.001;
    while (step < 100000) {
        if (step / unitsPerPixel > 27)
            break;
        if (2 * step / unitsPerPixel > 22.5)
            return 2 * step;
        if (5 * step / unitsPerPixel > 22.5)
            return 5 * step;
        step *= 10;
    }
    return step;
}

bool UpdateHistogramYRange(int peak, int& yMin, int& yMax) {
    const int oldMin = yMin, oldMax = yMax;
    yMin = 0;
    if (peak < 0.6 * yMax || peak > yMax)
        yMax = peak;
    if (yMin == oldMin && yMax == oldMax)
        return false;
    const int range = yMax - yMin;
    const int step = range < 101 ? 20 : range < 1001 ? 100 : range < 10001 ? 500 : 10000;
    yMax = (yMax / step + 1) * step;
    return true;
}

bool UpdateProfileYRange(uint32_t low, uint32_t high, int& yMin, int& yMax) {
    if (int64_t(low) >= yMin && int64_t(high) <= yMax && int64_t(high) >= yMax - (int64_t(yMax) - yMin) / 2)
        return false;
    const float margin = float(high - low) / 4;
    yMin = std::max(0, int(float(low) - margin));
    yMax = int(float(high) + margin);
    const int range = yMax - yMin;
    const int step = range < 101 ? 20 : range < 1001 ? 100 : 500;
    yMax = RoundUp(yMax, step);
    yMin = RoundDown(yMin, step);
    if (yMin == 0 && yMax == 0)
        yMax = 10;
    return true;
}

int LevelAt(int x, int plotLeft, int plotWidth, int xMin, int xMax) {
    if (plotWidth <= 0)
        return xMin;
    return int(xMin + int64_t(xMax - xMin) * (x - plotLeft) / plotWidth);
}

MarkerCounts CountMarkers(const std::vector<uint32_t>& counts, int low, int high) {
    MarkerCounts m;
    const int last = int(counts.size()) - 2;
    if ((low < 0 && high < 0) || last < 0)
        return m;
    if (high >= 0)
        for (int v = high; v <= last; ++v)
            m.above += counts[size_t(v)];
    if (low > 0)
        for (int v = std::min(low, last); v >= 0; --v)
            m.below += counts[size_t(v)];
    return m;
}

void SetLowLimit(int level, int& low, int& high) {
    low = level;
    if (high >= 0 && low > high)
        low = high;
}

void SetHighLimit(int level, int& low, int& high) {
    high = level;
    if (high < low)
        high = low;
}

}  // namespace histo
