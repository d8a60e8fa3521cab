#include "display/ZoomGeometry.h"

#include <cmath>

#include "imaging.h"

namespace display {

using imaging::NearestSource;

QPoint DisplayToImage(QPoint p, double zoom) {
    return QPoint(int(NearestSource(p.x(), zoom)), int(NearestSource(p.y(), zoom)));
}

int64_t DisplayEdge(int64_t x, double zoom) {
    // ceil(x * zoom) up to rounding; settle it against the rule itself.
    auto edge = int64_t(std::ceil(double(x) * zoom));
    while (NearestSource(edge - 1, zoom) >= x)
        --edge;
    while (NearestSource(edge, zoom) < x)
        ++edge;
    return edge;
}

QRect ImageRegion(const QRect& d, double zoom) {
    const double right = double(int64_t(d.x()) + d.width());
    const double bottom = double(int64_t(d.y()) + d.height());
    return FromEdges(int64_t(std::floor(d.x() / zoom)), int64_t(std::floor(d.y() / zoom)),
                     int64_t(std::ceil(right / zoom)), int64_t(std::ceil(bottom / zoom)));
}

QRect DisplayRegion(const QRect& r, double zoom) {
    const double right = double(int64_t(r.x()) + r.width());
    const double bottom = double(int64_t(r.y()) + r.height());
    return FromEdges(int64_t(std::floor(r.x() * zoom)), int64_t(std::floor(r.y() * zoom)),
                     int64_t(std::ceil(right * zoom)), int64_t(std::ceil(bottom * zoom)));
}

double ZoomStep(double zoom, int direction) {
    const double exponent = std::log2(zoom);
    return std::ldexp(1.0, int(direction > 0 ? std::floor(exponent) + 1 : std::ceil(exponent) - 1));
}

}  // namespace display
