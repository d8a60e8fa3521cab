// The arithmetic of auto learn: the measured clocks per line and lines per frame
// of a tap geometry give the total width and height, which the user splits into
// pre-valid, valid and post-valid parts.
#pragma once

#include <cstdint>

#include "zamgrb.h"

class AutoLearnModel {
public:
    enum Part { kWidthPreValid, kWidthPostValid, kHeightPreValid, kHeightPostValid };

    AutoLearnModel(uint32_t clocksPerLine, uint32_t linesPerFrame, const TapConfig& tapConfig);

    uint32_t clocksPerLine() const { return clocksPerLine_; }
    uint32_t linesPerFrame() const { return linesPerFrame_; }
    const TapConfig& tapConfig() const { return tapConfig_; }
    // A new tap geometry: the pre-valid and post-valid parts start again at 0.
    void setTapConfig(const TapConfig& tapConfig);

    uint32_t totalWidth() const { return totalWidth_; }
    uint32_t totalHeight() const { return totalHeight_; }
    uint32_t widthValid() const { return totalWidth_ - value(kWidthPreValid) - value(kWidthPostValid); }
    uint32_t heightValid() const { return totalHeight_ - value(kHeightPreValid) - value(kHeightPostValid); }

    uint32_t value(Part part) const { return parts_[part]; }
    // The largest value a part may take beside the other part of its row.
    uint32_t limitOf(Part part) const;
    // Sets a part, limited to limitOf; answers false when it had to be limited.
    bool set(Part part, uint32_t value);
    // The spinner range of a part: 0 to the total of its row.
    uint32_t rangeOf(Part part) const;

private:
    // The parts always fit their totals: set() limits them and a new geometry resets them.
    void updateTotals();
    static bool isWidth(Part part) { return part == kWidthPreValid || part == kWidthPostValid; }
    static Part opposite(Part part);

    uint32_t clocksPerLine_;
    uint32_t linesPerFrame_;
    TapConfig tapConfig_;
    uint32_t totalWidth_ = 0, totalHeight_ = 0;
    uint32_t parts_[4] = {0, 0, 0, 0};
};
