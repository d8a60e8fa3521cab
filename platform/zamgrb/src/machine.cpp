#include "machine.h"

namespace zamgrb {

namespace {

Machine builtInMachine() {
    Machine m;
    SimCard card;
    card.id = 0x4B56'0001'0000'0001ull;
    card.location = "PCI bus 2, device 0, function 0";
    m.cards.push_back(card);
    return m;
}

}  // namespace

const Machine& machine() {
    static const Machine instance = builtInMachine();
    return instance;
}

}  // namespace zamgrb
