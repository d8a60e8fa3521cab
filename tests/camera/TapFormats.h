// The standard configuration of a tap format number, from the card library.
#pragma once

#include "grabber/Grabber.h"

inline TapConfig StandardTaps(uint32_t number) {
    TapConfig config{};
    grabber::SetTapFormat(number, config);
    return config;
}
