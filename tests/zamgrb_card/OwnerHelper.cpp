// A second process for the ownership tests: opens the first card and claims a
// channel, reports its status on standard output, then holds the channel until
// standard input closes or it is killed.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "zamgrb.h"

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const uint64_t card = OpenDefaultCard();
    const uint32_t status = card ? OpenChannel(card, uint8_t(std::atoi(argv[1]))) : uint32_t(ZAMGRB_NO_CARD);
    std::printf("%u\n", status);
    std::fflush(stdout);
    char c;
    while (read(STDIN_FILENO, &c, 1) > 0) {
    }
    CloseCard(card);
    return 0;
}
