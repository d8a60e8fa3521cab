// A second program on the machine: owns one channel of a card through the card
// library until its standard input ends, so the flows meet a channel that belongs
// to another process. Usage: flows_channel_holder <card id> <channel>.
#include <cstdio>
#include <cstdlib>

#include "zamgrb.h"

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const uint64_t id = std::strtoull(argv[1], nullptr, 0);
    const auto channel = static_cast<uint8_t>(std::strtoul(argv[2], nullptr, 0));
    const uint64_t card = OpenCard(id, 0);
    if (card == 0 || OpenChannel(card, channel) != ZAMGRB_OK) {
        std::puts("busy");
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseCard(card);
    return 0;
}
