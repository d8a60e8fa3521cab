#include "camera/AutoLearnModel.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace {

// A measurement times a tap or channel count, kept within 32 bits.
uint32_t product(uint32_t measured, uint8_t count) {
    const uint64_t total = uint64_t(measured) * count;
    return uint32_t(std::min<uint64_t>(total, std::numeric_limits<uint32_t>::max()));
}

}  // namespace

AutoLearnModel::AutoLearnModel(uint32_t clocksPerLine, uint32_t linesPerFrame, const TapConfig& tapConfig)
    : clocksPerLine_(clocksPerLine), linesPerFrame_(linesPerFrame), tapConfig_(tapConfig) {
    updateTotals();
}

void AutoLearnModel::setTapConfig(const TapConfig& tapConfig) {
    tapConfig_ = tapConfig;
    std::fill(std::begin(parts_), std::end(parts_), 0u);
    updateTotals();
}

AutoLearnModel::Part AutoLearnModel::opposite(Part part) {
    switch (part) {
        case kWidthPreValid:
            return kWidthPostValid;
        case kWidthPostValid:
            return kWidthPreValid;
        case kHeightPreValid:
            return kHeightPostValid;
        default:
            return kHeightPreValid;
    }
}

uint32_t AutoLearnModel::rangeOf(Part part) const {
    return isWidth(part) ? totalWidth_ : totalHeight_;
}

uint32_t AutoLearnModel::limitOf(Part part) const {
    return rangeOf(part) - value(opposite(part));
}

bool AutoLearnModel::set(Part part, uint32_t value) {
    const uint32_t limit = limitOf(part);
    parts_[part] = std::min(value, limit);
    return value <= limit;
}

void AutoLearnModel::updateTotals() {
    totalWidth_ = product(clocksPerLine_, tapConfig_.taps);
    totalHeight_ = product(linesPerFrame_, tapConfig_.channels);
}
