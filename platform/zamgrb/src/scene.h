// The camera's true picture: the value of every valid pixel in one frame, before
// the tap geometry and the card's storage.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "machine.h"
#include "pictures.h"

namespace zamgrb {

class Scene {
public:
    // ringFrames: the moving picture repeats after that many frames (a power of two).
    Scene(const SimCamera& camera, uint32_t ringFrames);

    // Fills out (width x height, row by row) with the port words of frame k: the value
    // for monochrome and colour-filter cameras, B | G << b | R << 2b for RGB.
    void render(uint64_t k, std::vector<uint64_t>& out) const;

    // True when frame k and frame k + ringFrames are the same picture.
    bool periodic() const {
        return camera_.source.kind == PictureSource::Kind::Moving ||
               (camera_.source.kind == PictureSource::Kind::Image && pictures_->size() <= 1);
    }

private:
    struct Rgb {
        uint32_t r, g, b;
    };
    struct Motion {  // where the moving picture stands in one frame
        uint32_t scroll;
        int cx, cy, side;
    };
    Rgb colourAt(uint32_t x, uint32_t y, uint64_t k, const Motion& motion) const;
    uint64_t portWord(uint32_t x, uint32_t y, const Rgb& c) const;

    SimCamera camera_;
    uint32_t ringFrames_;
    uint32_t bits_;  // per colour
    uint64_t mask_;
    std::shared_ptr<const PictureSet> pictures_;
};

}  // namespace zamgrb
