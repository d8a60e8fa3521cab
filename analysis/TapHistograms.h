// Per-tap histograms of a raw frame: each tap's histogram counts exactly the
// samples that tap delivered, whatever the tap geometry puts them at.
#pragma once

#include <cstdint>
#include <vector>

#include "zamgrb.h"

namespace histo {

inline constexpr int kMaxGraphs = 10;

struct TapHistogram {
    // Bins 0 .. levels - 2; the top level falls in no bin (its entry stays 0).
    std::vector<uint32_t> counts;
    std::vector<int> logCounts;  // LogCount of each bin, the bars as drawn
    int peak = 0;                // largest logCounts over bins 1 .. levels - 2
    double mean = 0, stdDev = 0;
    uint32_t colour = 0x00FFFF;  // COLORREF of the bars
};

struct TapHistogramSet {
    int levels = 0;  // 2^bits of one sample (of one colour)
    int taps = 0;    // graphs shown: taps x channels, three per tap for RGB, at most kMaxGraphs
    std::vector<TapHistogram> graphs;
};

// The description under which ConvertFrame hands back the raw samples in
// arrival order, without lookup table or colour processing: one interleaved
// left-to-right channel of the same taps, each line period one image row. Sample
// k of a row then came from lane k mod (taps x channels), lane c x taps + t
// being tap t of channel c.
CameraDescription ArrivalOrderDescription(const CameraDescription& camera);

// Builds the histograms of `raw` (a frame of `camera`, `rawBytes` long);
// `scratch` is reused between calls. False, with `out` untouched, when the frame
// cannot be converted or is shorter than the camera's frames.
bool ComputeTapHistograms(const CameraDescription& camera, const void* raw, uint64_t rawBytes,
                          std::vector<uint8_t>& scratch, TapHistogramSet& out);

}  // namespace histo
