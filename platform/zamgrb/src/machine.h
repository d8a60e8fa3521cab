// The emulated machine: the cards the software card library presents.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zamgrb {

struct SimCard {
    uint64_t id = 0;
    std::string location;
    uint32_t firmware = 0x00020100;  // 0.2.1.0, four bytes most significant first
    uint32_t firmwareImage = 10;     // application image
    uint32_t lanes = 4;
    uint32_t speedCode = 2;
    uint32_t maxPayloadRequested = 256;
    uint32_t maxPayload = 256;
    bool fullDeca = true;  // full and 80-bit Camera Link modes
    bool openable = true;
};

struct Machine {
    std::vector<SimCard> cards;
};

// The machine in force for this process, built once on first use.
const Machine& machine();

// Library and driver versions reported by GetVersions (first number in the high 16 bits).
inline constexpr uint32_t kLibraryVersion = (3u << 16) | 0u;
inline constexpr uint32_t kLibraryBuild = (0u << 16) | 1u;
inline constexpr uint32_t kDriverVersion = (3u << 16) | 0u;
inline constexpr uint32_t kDriverBuild = (0u << 16) | 1u;

}  // namespace zamgrb
