#include "SamplePlacer.h"

namespace zamgrb::image {

SamplePlacer::SamplePlacer(const TapGeometry& geometry, SampleStorage storage, const uint8_t* raw)
    : geometry_(geometry),
      storage_(storage),
      raw_(raw),
      perPeriod_(geometry.clocksPerLine() * geometry.samplesPerClock()),
      columns_(geometry.columnTable()),
      rows_(geometry.rowTable()) {
    if (storage != SampleStorage::Byte)
        scratch_.resize(size_t(perPeriod_) * componentsOf(storage));
    const uint32_t lanes = geometry.samplesPerClock();
    steps_.resize(lanes, 0);
    if (geometry.clocksPerLine() > 1)
        for (uint32_t lane = 0; lane < lanes; ++lane)
            steps_[lane] = int64_t(columns_[lanes + lane]) - columns_[lane];
    identity_ = geometry.channels() == 1 && perPeriod_ == geometry.width();
    for (uint32_t k = 0; identity_ && k < perPeriod_; ++k)
        identity_ = columns_[k] == k;
    for (uint32_t p = 0; identity_ && p < rows_.size(); ++p)
        identity_ = rows_[p] == p;
}

}  // namespace zamgrb::image
