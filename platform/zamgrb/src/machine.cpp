#include "machine.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

namespace zamgrb {

namespace {

std::mutex machineMutex;
std::unique_ptr<Machine> current;

Machine load() {
    const char* path = std::getenv("ZAMGRB_SIM_CONFIG");
    if (!path || !*path)
        return builtInMachine();
    std::ifstream in(path, std::ios::binary);
    std::string error;
    std::optional<Machine> parsed;
    if (!in) {
        error = "cannot be read";
    } else {
        std::ostringstream text;
        text << in.rdbuf();
        parsed = parseMachine(text.str(), error);
    }
    if (parsed)
        return std::move(*parsed);
    // Reported once per load; the viewer keeps working on the built-in card.
    std::fprintf(stderr, "zamgrb: machine description %s: %s; using the built-in machine\n", path,
                 error.c_str());
    return builtInMachine();
}

}  // namespace

Machine builtInMachine() {
    Machine m;
    SimCard card;
    card.id = 0x4B56'0001'0000'0001ull;
    card.location = "PCI bus 2, device 0, function 0";

    SimCamera mono;  // the defaults: 640 x 480, 8 bits, 1 tap, moving picture at 30 fps
    mono.model = "Software camera M640";
    card.channels[0].camera = mono;

    SimCamera bayer;
    bayer.model = "Software camera C800";
    bayer.width = {0, 800, 200};
    bayer.height = {0, 600, 50};
    bayer.color = ColorKind::Bayer;
    bayer.pixelClockMHz = 40.0;
    bayer.framePeriodUs = 40000;
    card.channels[1].camera = bayer;

    m.cards.push_back(card);
    return m;
}

const Machine& machine() {
    std::lock_guard lock(machineMutex);
    if (!current)
        current = std::make_unique<Machine>(load());
    return *current;
}

const SimCard* findCard(uint64_t id) {
    for (const SimCard& c : machine().cards)
        if (c.id == id)
            return &c;
    return nullptr;
}

void reloadMachine() {
    std::lock_guard lock(machineMutex);
    current.reset();
}

}  // namespace zamgrb
