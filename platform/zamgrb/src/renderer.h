// Produces the raw frames a channel's card captures from its camera: the camera
// streams its picture through its tap geometry, with blanking; the card takes the
// window its configuration describes, in arrival order, in its sample storage.
#pragma once

#include <cstdint>
#include <vector>

#include "machine.h"
#include "scene.h"
#include "storage.h"

namespace zamgrb {

class FrameRenderer {
public:
    // Throws std::bad_alloc when the tables do not fit in memory.
    FrameRenderer(const SimCamera& camera, const CameraConfig& config);

    uint64_t frameBytes() const { return frameBytes_; }

    // Renders every frame of the ring now, so the first frames come without delay.
    void prepare();

    // Raw frame k (k = 0 is the first frame after StartGrab). Valid until the next call.
    const uint8_t* frame(uint64_t k);

    // Renders raw frame k into out (frameBytes() long).
    void render(uint64_t k, uint8_t* out);

private:
    static constexpr uint32_t kBlank = UINT32_MAX;

    Scene scene_;
    CameraConfig config_;
    uint64_t frameBytes_;
    std::vector<uint32_t> source_;  // per raw sample: index of the camera pixel, or kBlank
    std::vector<uint64_t> picture_;
    std::vector<std::vector<uint8_t>> ring_;  // a periodic picture's frames, rendered once
    std::vector<bool> ringReady_;
    std::vector<uint8_t> scratch_;
};

}  // namespace zamgrb
