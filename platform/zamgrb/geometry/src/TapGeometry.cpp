#include "TapGeometry.h"

namespace zamgrb {

namespace {

constexpr uint8_t kBottomUp = 1;  // 0 is Top-Down
constexpr uint8_t kLeftRight = 0, kRightLeft = 1;
constexpr uint8_t kTapAlternate = 1, kTapInterleaved = 2;  // 0 is Segmented

// True when `values` holds each of 0 .. count - 1 exactly once.
bool isPermutation(const std::vector<uint32_t>& values, uint32_t count) {
    if (values.size() != count)
        return false;
    std::vector<bool> seen(count, false);
    for (uint32_t v : values) {
        if (v >= count || seen[v])
            return false;
        seen[v] = true;
    }
    return true;
}

bool isBinary(uint8_t v) {
    return v <= 1;
}

bool validTaps(uint8_t taps) {
    return taps == 1 || taps == 2 || taps == 3 || taps == 4 || taps == 8 || taps == 10;
}

uint32_t groupOf(uint8_t tapOutput, uint32_t taps) {
    if (tapOutput == kTapInterleaved)
        return taps;
    if (tapOutput == kTapAlternate && taps > 1)
        return 2;
    return 1;
}

}  // namespace

std::optional<TapGeometry> TapGeometry::create(const TapConfig& c, uint32_t width, uint32_t height) {
    if (c.channels < 1 || c.channels > 2 || !validTaps(c.taps) || c.tapOutput > kTapInterleaved)
        return {};
    if (!isBinary(c.channelOrder) || !isBinary(c.channelOutput) || !isBinary(c.channelDirection0) ||
        !isBinary(c.channelDirection1) || !isBinary(c.tapDirection0) || !isBinary(c.tapDirection1) ||
        !isBinary(c.tapDirection2) || !isBinary(c.tapDirection3))
        return {};
    const uint32_t group = groupOf(c.tapOutput, c.taps);
    if (c.taps % group != 0)
        return {};  // Alternate pairs cannot cover three taps
    if (width / c.taps == 0 || height / c.channels == 0)
        return {};

    TapGeometry g;
    g.width_ = width;
    g.height_ = height;
    g.channels_ = c.channels;
    g.taps_ = c.taps;
    g.group_ = group;
    g.reverse_ = c.channels == 2 && c.channelOrder == 1;
    g.interlaced_ = c.channelOutput == 1;
    g.channelDirection_[0] = c.channelDirection0;
    g.channelDirection_[1] = c.channelDirection1;
    const uint8_t directions[4] = {c.tapDirection0, c.tapDirection1, c.tapDirection2, c.tapDirection3};
    for (int i = 0; i < 4; ++i)
        g.tapDirection_[i] = c.taps > 4 ? kLeftRight : directions[i];
    return g;
}

uint32_t TapGeometry::row(uint32_t period, uint32_t channel) const {
    const bool bottomUp = channelDirection_[channel] == kBottomUp;
    if (interlaced_) {
        const uint32_t line = period * channels_ + channel;
        uint32_t y = bottomUp ? height_ - 1 - line : line;
        // Reverse order: the two channels trade their lines of each pair.
        if (reverse_)
            y = (channel == 0) == bottomUp ? y - 1 : y + 1;
        return y;
    }
    const uint32_t segment = height_ / channels_;
    uint32_t slot = reverse_ ? channels_ - 1 - channel : channel;
    return bottomUp ? segment * (slot + 1) - 1 - period : period + segment * slot;
}

uint32_t TapGeometry::column(uint32_t clock, uint32_t channel, uint32_t tap) const {
    const uint32_t w = clocksPerLine();
    const uint32_t segment = tap / group_, k = tap % group_;
    const uint32_t index = tapIndex(channel, tap);
    const bool rightLeft = index < 4 && tapDirection_[index] == kRightLeft;
    if (rightLeft)
        return ((segment + 1) * w - clock) * group_ - k - 1;
    return clock * group_ + k + segment * w * group_;
}

SamplePosition TapGeometry::positionOf(uint64_t sample) const {
    const uint64_t perClock = samplesPerClock();
    const uint64_t perPeriod = uint64_t(clocksPerLine()) * perClock;
    const auto period = uint32_t(sample / perPeriod);
    const uint64_t inPeriod = sample % perPeriod;
    const auto clock = uint32_t(inPeriod / perClock);
    const auto inClock = uint32_t(inPeriod % perClock);
    return position(period, clock, inClock / taps_, inClock % taps_);
}

std::vector<uint32_t> TapGeometry::columnTable() const {
    std::vector<uint32_t> table;
    table.reserve(size_t(clocksPerLine()) * samplesPerClock());
    for (uint32_t n = 0; n < clocksPerLine(); ++n)
        for (uint32_t c = 0; c < channels_; ++c)
            for (uint32_t t = 0; t < taps_; ++t)
                table.push_back(column(n, c, t));
    return table;
}

std::vector<uint32_t> TapGeometry::rowTable() const {
    std::vector<uint32_t> table;
    table.reserve(size_t(linePeriods()) * channels_);
    for (uint32_t p = 0; p < linePeriods(); ++p)
        for (uint32_t c = 0; c < channels_; ++c)
            table.push_back(row(p, c));
    return table;
}

bool TapGeometry::coversEveryPixelOnce() const {
    if (!isPermutation(rowTable(), height_))
        return false;
    const std::vector<uint32_t> columns = columnTable();
    const uint32_t lanes = samplesPerClock();
    for (uint32_t c = 0; c < channels_; ++c) {
        std::vector<uint32_t> ofChannel;
        ofChannel.reserve(size_t(clocksPerLine()) * taps_);
        for (size_t i = 0; i < columns.size(); i += lanes)
            for (uint32_t t = 0; t < taps_; ++t)
                ofChannel.push_back(columns[i + tapIndex(c, t)]);
        if (!isPermutation(ofChannel, width_))
            return false;
    }
    return true;
}

}  // namespace zamgrb
