// Open card handles: a handle names one open instance of a card of the machine.
#pragma once

#include <cstdint>
#include <vector>

#include "machine.h"

namespace zamgrb {

// The card behind an open handle, or null for 0 or a closed handle.
const SimCard* cardOf(uint64_t handle);

// Every open handle (test control closes them all before a reload).
std::vector<uint64_t> openHandles();

}  // namespace zamgrb
