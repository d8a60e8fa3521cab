// parseMachine on arbitrary bytes. It either answers a machine that keeps the
// rules the card relies on, or nothing with a reason; it never crashes.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "machine.h"

namespace {

// The rules the rest of the software card divides and allocates by.
bool cameraIsSound(const zamgrb::SimCamera& c) {
    const TapConfig& t = c.tapConfig;
    if (t.taps == 0 || t.channels == 0 || c.width.valid == 0 || c.height.valid == 0)
        return false;
    if (c.width.pre % t.taps || c.width.valid % t.taps || c.width.post % t.taps)
        return false;
    if (c.height.pre % t.channels || c.height.valid % t.channels || c.height.post % t.channels)
        return false;
    if ((c.color == zamgrb::ColorKind::Rgb) != (c.bitDepth > 16) || c.bitDepth == 0 || c.bitDepth > 36)
        return false;
    const double period = c.framePeriod();
    return std::isfinite(period) && period > 0;
}

bool machineIsSound(const zamgrb::Machine& m) {
    for (size_t i = 0; i < m.cards.size(); ++i) {
        const zamgrb::SimCard& card = m.cards[i];
        if (card.id == 0 || !(card.linkBytesPerSecond() > 0))
            return false;
        for (size_t j = 0; j < i; ++j)
            if (m.cards[j].id == card.id)
                return false;
        for (const zamgrb::SimChannel& ch : card.channels)
            if (ch.camera && !cameraIsSound(*ch.camera))
                return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<zamgrb::Machine> machine = zamgrb::parseMachine(text, error);
    if (machine ? !machineIsSound(*machine) : error.empty())
        std::abort();
    return 0;
}
