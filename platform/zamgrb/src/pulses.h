// The pulse generators of a card (one per channel) and the camera control lines
// CC1..CC4 they drive.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "zamgrb.h"

namespace zamgrb {

enum class Pulse { Master, InvertedMaster, Slave, InvertedSlave };

// One run of a generator from an enable (or a change of settings while enabled) to
// its disable: rising edges at start + i x period + offset, for i below the count.
struct PulseTrain {
    double start = 0;                                                    // card clock, microseconds
    double stop = 1e300;                                                 // edges at or after it do not happen
    double period = 0, masterWidth = 0, slaveDelay = 0, slaveWidth = 0;  // microseconds
    uint64_t count = UINT64_MAX;                                         // pulses of a burst

    double offset(Pulse p) const;
    // Rising edges of the pulse up to and including time t.
    uint64_t edgesUpTo(Pulse p, double t) const;
    // The first rising edge strictly after t.
    std::optional<double> edgeAfter(Pulse p, double t) const;
};

class PulseBank {
public:
    PulseBank();
    void setGenerator(uint8_t channel, const PulseGeneratorSettings& settings);
    void enable(uint8_t channel, bool on);
    void setControl(uint8_t channel, const CameraControlSettings& settings);

    // The first rising edge of a channel's CC line strictly after t.
    std::optional<double> nextEdge(uint8_t channel, uint32_t line, double t);
    // Master and slave pulses a channel's generator has sent so far.
    void counters(uint8_t channel, uint64_t& master, uint64_t& slave);

private:
    struct Generator {
        PulseGeneratorSettings settings{};
        bool enabled = false;
        std::vector<PulseTrain> trains;  // recent runs, oldest first
        CameraControlSettings control{};
        std::vector<std::pair<uint32_t, double>> manualEdges;  // (line, time) of a CC set from '0' to '1'
        uint64_t retiredMaster = 0, retiredSlave = 0;          // pulses of trains no longer kept
    };
    void startTrain(Generator& g, double now);
    std::mutex mutex_;
    Generator generators_[2];
};

}  // namespace zamgrb
