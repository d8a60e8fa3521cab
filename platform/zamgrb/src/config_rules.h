// Which channel configurations the card accepts.
#pragma once

#include <cstdint>

#include "machine.h"

namespace zamgrb {

// ZAMGRB_OK, ZAMGRB_NOT_SUPPORTED for parameters the card cannot take, ZAMGRB_BUSY
// when the second Camera Link port is needed but not free. otherChannelOwned: the
// other channel is owned by anyone (this process, another, or another program).
uint32_t checkConfiguration(const SimCard& card, uint8_t channel, const CameraConfig& config,
                            bool otherChannelOwned);

}  // namespace zamgrb
