// Custom tap geometries and their arrival orders, worked out by hand.
#pragma once

#include <string>
#include <vector>

#include "RawFrame.h"
#include "zamgrb.h"

struct CustomOrder {
    std::string name;
    TapConfig taps;
    uint32_t width, height;
    rawframe::Order order;
};

inline std::vector<CustomOrder> customOrders() {
    auto config = [](uint8_t channels, uint8_t order, uint8_t output, uint8_t d0, uint8_t d1, uint8_t taps,
                     uint8_t tapOutput, uint8_t t0, uint8_t t1, uint8_t t2, uint8_t t3) {
        return TapConfig{channels, order, output, d0, d1, taps, tapOutput, t0, t1, t2, t3};
    };
    return {
        // Two channels, alternate lines, Reverse: channel 2 carries the even lines.
        {"InterlacedReverse",
         config(2, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0),
         2,
         4,
         {{0, 1}, {0, 0}, {1, 1}, {1, 0}, {0, 3}, {0, 2}, {1, 3}, {1, 2}}},
        // One channel read from its last line up.
        {"BottomUp",
         config(1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0),
         2,
         3,
         {{0, 2}, {1, 2}, {0, 1}, {1, 1}, {0, 0}, {1, 0}}},
        // Two segmented channels, the second bottom-up; per-channel tap directions.
        {"SegmentedHalvesSecondBottomUp",
         config(2, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0),
         2,
         4,
         {{0, 0}, {1, 3}, {1, 0}, {0, 3}, {0, 1}, {1, 2}, {1, 1}, {0, 2}}},
        // Two segmented channels in Reverse order: channel 1 fills the lower half.
        {"SegmentedReverse", config(2, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0), 1, 4, {{0, 2}, {0, 0}, {0, 3}, {0, 1}}},
        // Converge: two segments read towards the middle.
        {"Converge",
         config(1, 0, 0, 0, 0, 2, 0, 0, 1, 0, 0),
         6,
         1,
         {{0, 0}, {5, 0}, {1, 0}, {4, 0}, {2, 0}, {3, 0}}},
        // Diverge: two segments read from the middle outwards.
        {"Diverge",
         config(1, 0, 0, 0, 0, 2, 0, 1, 0, 0, 0),
         6,
         1,
         {{2, 0}, {3, 0}, {1, 0}, {4, 0}, {0, 0}, {5, 0}}},
        // Three taps, the middle one right to left.
        {"ThreeTapsMiddleReversed",
         config(1, 0, 0, 0, 0, 3, 0, 0, 1, 0, 0),
         6,
         1,
         {{0, 0}, {3, 0}, {4, 0}, {1, 0}, {2, 0}, {5, 0}}},
        // Two interlaced bottom-up channels with two interleaved taps each.
        {"InterlacedBottomUpInterleaved",
         config(2, 0, 1, 1, 1, 2, 2, 0, 0, 0, 0),
         2,
         2,
         {{0, 1}, {1, 1}, {0, 0}, {1, 0}}},
        // Width not a multiple of the taps: the last column receives nothing.
        {"UncoveredColumn", config(1, 0, 0, 0, 0, 2, 2, 0, 0, 0, 0), 5, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        // Overlapping layouts: two channels or taps land on the same pixels (the
        // later sample wins) and the rest receive nothing.
        // Interlaced, channel 2 bottom-up: both channels take the even lines.
        {"InterlacedOppositeDirections",
         config(2, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0),
         2,
         4,
         {{0, 0}, {0, 2}, {1, 0}, {1, 2}, {0, 2}, {0, 0}, {1, 2}, {1, 0}}},
        // The same in Reverse order: both take the odd lines.
        {"InterlacedReverseOppositeDirections",
         config(2, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0),
         2,
         4,
         {{0, 1}, {0, 3}, {1, 1}, {1, 3}, {0, 3}, {0, 1}, {1, 3}, {1, 1}}},
        // An Alternate pair, tap 1 right to left: both taps take the odd columns.
        {"AlternateOppositeDirections",
         config(1, 0, 0, 0, 0, 2, 1, 1, 0, 0, 0),
         8,
         1,
         {{7, 0}, {1, 0}, {5, 0}, {3, 0}, {3, 0}, {5, 0}, {1, 0}, {7, 0}}},
        // Interleaved, tap 2 right to left: both taps take the even columns.
        {"InterleavedOppositeDirections",
         config(1, 0, 0, 0, 0, 2, 2, 0, 1, 0, 0),
         4,
         1,
         {{0, 0}, {2, 0}, {2, 0}, {0, 0}}},
    };
}
