#include "clock.h"

namespace zamgrb {

Clock::time_point clockEpoch() {
    static const Clock::time_point epoch = Clock::now();
    return epoch;
}

}  // namespace zamgrb
