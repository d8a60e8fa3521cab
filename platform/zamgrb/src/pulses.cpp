#include "pulses.h"

#include <algorithm>
#include <cmath>

#include "clock.h"

namespace zamgrb {

namespace {

constexpr size_t kKeptTrains = 64;
constexpr size_t kKeptManualEdges = 256;

}  // namespace

double PulseTrain::offset(Pulse p) const {
    switch (p) {
        case Pulse::Master:
            return 0;
        case Pulse::InvertedMaster:
            return masterWidth;  // the master's falling edge
        case Pulse::Slave:
            return slaveDelay;
        case Pulse::InvertedSlave:
            return slaveDelay + slaveWidth;
    }
    return 0;
}

uint64_t PulseTrain::edgesUpTo(Pulse p, double t) const {
    const double first = start + offset(p);
    const double last = std::min(t, std::nextafter(stop, 0.0));
    if (last < first || count == 0)
        return 0;
    const uint64_t n = uint64_t(std::floor((last - first) / period)) + 1;
    return std::min(n, count);
}

std::optional<double> PulseTrain::edgeAfter(Pulse p, double t) const {
    const double first = start + offset(p);
    uint64_t i = t < first ? 0 : uint64_t(std::floor((t - first) / period)) + 1;
    double edge = first + double(i) * period;
    while (edge <= t)
        edge = first + double(++i) * period;  // rounding must not answer t itself
    if (i >= count || edge >= stop)
        return std::nullopt;
    return edge;
}

PulseBank::PulseBank() {
    for (Generator& g : generators_)
        g.settings = {1, 0, 1, 3, 1, 1, 1, 1};
}

void PulseBank::startTrain(Generator& g, double now) {
    const PulseGeneratorSettings& s = g.settings;
    const double cycle = std::max<uint16_t>(s.granularity, 1) * 0.01;  // granularity x 10 ns, in microseconds
    PulseTrain train;
    train.start = now;
    train.period = std::max<uint16_t>(s.masterPeriod, 1) * cycle;
    train.masterWidth = s.masterWidth * cycle;
    train.slaveDelay = s.slaveDelay * cycle;
    train.slaveWidth = s.slaveWidth * cycle;
    train.count = s.mode == 1 ? s.pulseCount : UINT64_MAX;
    if (g.trains.size() == kKeptTrains) {
        const PulseTrain& old = g.trains.front();
        g.retiredMaster += old.edgesUpTo(Pulse::Master, now);
        g.retiredSlave += old.edgesUpTo(Pulse::Slave, now);
        g.trains.erase(g.trains.begin());
    }
    g.trains.push_back(train);
}

void PulseBank::setGenerator(uint8_t channel, const PulseGeneratorSettings& settings) {
    std::lock_guard lock(mutex_);
    Generator& g = generators_[channel];
    g.settings = settings;
    if (g.enabled) {  // new timing takes effect at once
        const double now = nowMicros();
        g.trains.back().stop = now;
        startTrain(g, now);
    }
}

void PulseBank::enable(uint8_t channel, bool on) {
    std::lock_guard lock(mutex_);
    Generator& g = generators_[channel];
    if (on == g.enabled)
        return;
    g.enabled = on;
    const double now = nowMicros();
    if (on)
        startTrain(g, now);
    else
        g.trains.back().stop = now;
}

void PulseBank::setControl(uint8_t channel, const CameraControlSettings& settings) {
    std::lock_guard lock(mutex_);
    Generator& g = generators_[channel];
    const double now = nowMicros();
    for (uint32_t line = 0; line < 4; ++line)
        if (g.control.source[line] == 0 && settings.source[line] == 1)
            g.manualEdges.emplace_back(line, now);
    if (g.manualEdges.size() > kKeptManualEdges)
        g.manualEdges.erase(g.manualEdges.begin());
    g.control = settings;
}

std::optional<double> PulseBank::nextEdge(uint8_t channel, uint32_t line, double t) {
    std::lock_guard lock(mutex_);
    const Generator& own = generators_[channel];
    std::optional<double> next;
    auto consider = [&](std::optional<double> e) {
        if (e && (!next || *e < *next))
            next = e;
    };
    for (const auto& [l, time] : own.manualEdges)
        if (l == line && time > t)
            consider(time);
    const uint32_t source = own.control.source[line];
    if (source >= 2 && source <= 9) {
        const Generator& g = source >= 6 ? generators_[channel ^ 1] : own;
        const Pulse pulse = Pulse((source - 2) % 4);
        for (const PulseTrain& train : g.trains)
            consider(train.edgeAfter(pulse, t));
    }
    return next;
}

void PulseBank::counters(uint8_t channel, uint64_t& master, uint64_t& slave) {
    std::lock_guard lock(mutex_);
    const Generator& g = generators_[channel];
    const double now = nowMicros();
    master = g.retiredMaster;
    slave = g.retiredSlave;
    for (const PulseTrain& train : g.trains) {
        master += train.edgesUpTo(Pulse::Master, now);
        slave += train.edgesUpTo(Pulse::Slave, now);
    }
}

}  // namespace zamgrb
