// Test support: puts a machine description in force for the process, and small
// helpers for grabbing from the software card.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "zamgrb.h"
#include "zamgrb_sim.h"

namespace simtest {

// Writes the description to a temporary file, names it in ZAMGRB_SIM_CONFIG and reloads
// the library; the destructor goes back to the built-in machine.
class SimMachine {
public:
    explicit SimMachine(const std::string& json);
    ~SimMachine();
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A card description with one camera on channel 1 given as JSON members.
std::string oneCamera(const std::string& cameraMembers, const std::string& cardMembers = "");

// An open card whose channel is owned, closed by the destructor.
struct OwnedChannel {
    explicit OwnedChannel(uint8_t channel = 0);
    ~OwnedChannel();
    uint64_t card = 0;
    uint8_t channel = 0;
    uint32_t openStatus = 0;
};

// Collects the frames a grab delivers.
struct FrameLog {
    struct Frame {
        uint32_t frameNumber, timeStamp, status;
        std::vector<uint8_t> bytes;
    };
    std::mutex mutex;
    std::vector<Frame> frames;
    std::atomic<uint64_t> count{0};
    bool keepBytes = true;
    static void callback(void* context, const FrameInfo* frame);
    // Waits until n frames arrived or the time-out passed; answers the count.
    uint64_t waitFor(uint64_t n, std::chrono::milliseconds timeout = std::chrono::seconds(10));
};

CameraConfig configFor(uint32_t width, uint32_t height, uint32_t bitDepth, uint32_t tapFormat = 1,
                       uint32_t packed = 0);

}  // namespace simtest
