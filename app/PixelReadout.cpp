#include "app/PixelReadout.h"

namespace app {

PixelReadout FormatPixelReadout(const CameraDescription& d, QPoint point, int64_t value) {
    if (value == -1)
        return {};
    PixelReadout r;
    r.position = QString::asprintf("%d x %d", point.x(), point.y());
    const uint32_t depth = d.config.bitDepth;
    const uint64_t v = uint64_t(value);
    if (depth < 24 && d.colorFormat == ZAMGRB_COLOR_NONE) {
        r.value = QString::asprintf("%d", int(value));
    } else if ((depth >= 24 ? depth / 3 : depth) == 8) {
        r.value = QString::asprintf("(%d,%d,%d)", int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    } else {
        r.value = QString::asprintf("(%d,%d,%d)", int(v & 0xFFFF), int((v >> 16) & 0xFFFF),
                                    int((v >> 32) & 0xFFFF));
    }
    return r;
}

}  // namespace app
