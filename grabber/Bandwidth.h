// Bandwidth a camera's pixels take over PCI Express, as the statistics show it.
#pragma once

#include <cstdint>

#include "zamgrb.h"

namespace grabber {

// Mbit/s from the camera's measured timing and frame rate and the configuration in
// force: the samples a second times the bits each sample takes in the card's storage
// (packed 10 bits: 6 in 64; packed 12 bits with one tap and one channel: 5 in 64).
// Integer arithmetic on 64 bits with the divisions truncating one after the other;
// the answer is the low 32 bits. Depths above 36 bits have no storage and answer 0.
uint32_t BandwidthMbps(const GrabStatistics& statistics, const CameraConfig& config);

}  // namespace grabber
