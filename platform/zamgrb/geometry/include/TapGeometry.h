// Where each sample of a raw frame lands in the image.
//
// A raw frame arrives in this order: for each line period p (0 .. linePeriods()-1),
// for each clock n (0 .. clocksPerLine()-1), for each channel c, for each tap t of
// that channel: one sample. TapGeometry answers the (x, y) of every such sample
// for a TapConfig and an image size, and is the one rule used by the software
// card's renderer, the library's ConvertFrame and the tap preview control.
//
// Rules (the tap preview's animation, generalised to any size):
// - Tap groups: g = 1 (Segmented), 2 (Alternate, more than one tap), taps
//   (Interleaved); segments s = taps / g; a segment is w * g columns wide with
//   w = clocksPerLine().
// - Tap index i = c * taps + t picks the read direction tapDirection[i]; taps
//   beyond the four direction fields, and every tap of a geometry with more than
//   four taps, read left to right.
// - Rows: Interlaced channels take alternate lines, Segmented channels take
//   height / channels consecutive lines each; Bottom-Up reads a channel's lines
//   from its last line up; Reverse order swaps the two channels' places.
// - Columns or rows that no sample reaches (width not a multiple of the taps,
//   height not a multiple of the channels) stay undelivered.
// - Some layouts put two channels or two taps on the same pixels: two interlaced
//   channels read in opposite directions (either order), or Alternate or
//   Interleaved taps of one group read in different directions. Every field is
//   valid on its own, so such a layout is placed, not refused: the later sample
//   wins and the pixels nobody reaches stay undelivered, like the uneven widths
//   above. That keeps the camera dialog's preview showing the overlap instead of
//   going blank, the software camera rendering it and a converter delivering
//   what the camera delivers; coversEveryPixelOnce() is the one test for it.
//
// The tap preview animates steps 0 .. counter - 1 of a grid of cells: with
// g = create(config, cols, rows), step s is line period s / g.clocksPerLine()
// and clock s % g.clocksPerLine(); each channel c and tap t of it draws the cell
// g.position(period, clock, c, t) in the colour of g.tapIndex(c, t).
// A frame renderer walks samples in arrival order with positionOf(k), or per line
// period with columnTable() and rowTable().
#ifndef ZAMGRB_TAP_GEOMETRY_H
#define ZAMGRB_TAP_GEOMETRY_H

#include <cstdint>
#include <optional>
#include <vector>

#include "zamgrb.h"

namespace zamgrb {

struct SamplePosition {
    uint32_t x;
    uint32_t y;
};

class TapGeometry {
public:
    // Empty when the configuration contradicts itself (a field out of range,
    // Alternate with an odd tap count) or the image is too small to carry one
    // sample per tap and channel.
    static std::optional<TapGeometry> create(const TapConfig& config, uint32_t width, uint32_t height);

    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    uint32_t channels() const { return channels_; }
    uint32_t taps() const { return taps_; }
    uint32_t clocksPerLine() const { return width_ / taps_; }
    uint32_t linePeriods() const { return height_ / channels_; }
    uint32_t samplesPerClock() const { return channels_ * taps_; }
    uint64_t sampleCount() const { return uint64_t(linePeriods()) * clocksPerLine() * samplesPerClock(); }
    // Colour index of a tap in the preview (0 .. channels * taps - 1).
    uint32_t tapIndex(uint32_t channel, uint32_t tap) const { return channel * taps_ + tap; }

    // The row of line period p of channel c, and the column of clock n, channel c, tap t.
    uint32_t row(uint32_t period, uint32_t channel) const;
    uint32_t column(uint32_t clock, uint32_t channel, uint32_t tap) const;
    SamplePosition position(uint32_t period, uint32_t clock, uint32_t channel, uint32_t tap) const {
        return {column(clock, channel, tap), row(period, channel)};
    }
    // The position of the k-th sample of the frame in arrival order (k < sampleCount()).
    SamplePosition positionOf(uint64_t sample) const;

    // Tables for converting or rendering whole frames: the columns of one line
    // period in arrival order (clock, channel, tap), clocksPerLine() * samplesPerClock()
    // entries; and the rows of every line period and channel, linePeriods() * channels().
    std::vector<uint32_t> columnTable() const;
    std::vector<uint32_t> rowTable() const;

    // True when every pixel receives exactly one sample: the line periods of the
    // channels reach each row once and each channel's taps reach each column of
    // its row once. False for uneven sizes and for layouts whose taps or channels
    // overlap; a converter then has pixels to clear.
    bool coversEveryPixelOnce() const;

private:
    TapGeometry() = default;
    uint32_t width_ = 0, height_ = 0, channels_ = 1, taps_ = 1, group_ = 1;
    bool reverse_ = false, interlaced_ = false;
    uint8_t channelDirection_[2] = {0, 0};
    uint8_t tapDirection_[4] = {0, 0, 0, 0};
};

}  // namespace zamgrb

#endif
