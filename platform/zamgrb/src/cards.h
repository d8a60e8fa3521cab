// Open card handles: a handle names one open instance of a card of the machine.
#pragma once

#include <cstdint>
#include <optional>

#include "machine.h"

namespace zamgrb {

// The card behind an open handle, or nothing for 0 or a closed handle.
std::optional<SimCard> cardOf(uint64_t handle);

}  // namespace zamgrb
