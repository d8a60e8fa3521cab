// The per-process state of the machine's cards: who owns each channel, its
// configuration, its camera as it is now, its grab, statistics and serial port.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

#include "machine.h"
#include "ownership.h"
#include "pulses.h"
#include "serial.h"

namespace zamgrb {

class GrabSession;
class FrameRenderer;

struct GrabCounters {
    uint64_t delivered = 0, drops = 0, overruns = 0;
    std::deque<double> deliveredAt;    // card clock of the frames of the last second
    std::deque<double> cameraFrameAt;  // frames the camera sent in the last second (trigger mode)
};

struct ChannelRuntime {
    const SimCard* card = nullptr;
    uint8_t index = 0;

    // Start, stop, configure and release run one at a time; the delivery thread never
    // takes it, so StopGrab may wait for that thread while holding it.
    std::mutex control;

    // Guards every member below; held only briefly.
    std::mutex mutex;
    std::condition_variable serialReadable;
    bool connected = false;  // a camera is on the cable
    SimCamera camera;        // as it is now (serial commands and test control change it)
    uint64_t cameraVersion = 0;
    uint64_t owner = 0;  // handle that owns the channel, 0 = none in this process
    std::optional<ChannelLock> lock;
    std::optional<CameraConfig> config;
    std::shared_ptr<FrameRenderer> renderer;  // for config and cameraVersion
    uint64_t rendererVersion = 0;
    GrabCounters counters;
    uint32_t pendingBadFrames = 0;  // injected by test control
    SerialPort serial;

    std::unique_ptr<GrabSession> grab;  // under control
};

struct CardRuntime {
    ChannelRuntime channels[2];
    PulseBank pulses;
};

// The runtime of a card of the machine (created on first use).
CardRuntime& runtimeOf(const SimCard& card);

// Resolves a handle and channel; answers a status (3 for an unknown handle, 2 for a
// channel other than 0 or 1).
struct ChannelRef {
    uint64_t handle = 0;
    const SimCard* card = nullptr;
    CardRuntime* runtime = nullptr;
    ChannelRuntime* channel = nullptr;
};
uint32_t resolve(uint64_t handle, uint8_t channel, ChannelRef& out);
// The same, and the channel must be owned through this handle.
uint32_t resolveOwned(uint64_t handle, uint8_t channel, ChannelRef& out);
// Ownership asked again (0 or 5): another thread may have released the channel since
// resolveOwned, so operations that change it ask once more under channel.control.
uint32_t stillOwned(const ChannelRef& ref);

// Stops, closes and releases everything a handle holds.
void releaseHandle(uint64_t handle);

// Releases one channel of its owner: stops its grab, closes its serial port (waking a
// waiting reader), forgets its configuration and drops the lock. The caller holds
// channel.control.
void releaseChannel(ChannelRuntime& channel);

// Drops every card runtime (machine reload; no grab may run).
void resetRuntimes();

}  // namespace zamgrb
