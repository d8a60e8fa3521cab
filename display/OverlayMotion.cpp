#include "display/OverlayMotion.h"

#include <cstdint>

namespace display {
namespace {

// Moves one coordinate when the object stays inside [low, high); reverses the
// step otherwise.
void Step(int& position, int& step, int64_t low, int64_t high, int extent) {
    const int64_t candidate = int64_t(position) + step;
    if (low <= candidate && candidate + extent <= high)
        position = int(candidate);
    else
        step = -step;
}

}  // namespace

void OverlayMotion::Tick(const QRect& b, int w, int h) {
    Step(x, stepX, b.x(), int64_t(b.x()) + b.width(), w);
    Step(y, stepY, b.y(), int64_t(b.y()) + b.height(), h);
}

}  // namespace display
