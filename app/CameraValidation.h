// The checks the main frame makes before it applies a camera configuration, and
// the message for a configuration the card refused.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "zamgrb.h"

namespace app {

// What the checks ask of the card, only when they need it.
struct CardQueries {
    std::function<bool()> hasFullAndDecaModes;
    std::function<uint32_t()> firmware;  // four bytes, most significant first
    bool present = true;                 // without a card, nothing is asked of it
};

// The string id of the first check that fails, in the order: more than 80 bits
// (140), 80-bit mode missing (143), full mode missing (142), firmware too old
// for more than 24 bits (141), zero width or height (151), a tap layout no
// frame can be placed by (IDS_TAP_GEOMETRY); 0 when all pass. The card's own
// checks (143, 142, 141) wait for a card.
int ValidateCameraConfig(const CameraConfig& config, const CardQueries& card);

// The message for a status of the channel's reconfiguration; empty for success
// and without a card.
QString ReconfigureMessage(uint32_t status, const CameraConfig& config, uint8_t channel);

}  // namespace app
