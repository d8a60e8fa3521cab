#include "analysis/LutTables.h"

#include <algorithm>
#include <climits>

namespace lut {
namespace {

// Left by s when s > 0, arithmetic right by -s when s < 0.
int64_t Shift(int64_t x, int s) {
    return s >= 0 ? int64_t(uint64_t(x) << s) : x >> -s;
}

int32_t ToInt32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int64_t Lookup(const ParsedLut& lut, int64_t key) {
    const auto it = lut.entries.find(key);
    return it == lut.entries.end() ? 0 : it->second;
}

}  // namespace

const LutTable* LutTableSet::Find(int bitDepth) const {
    const auto it = tables_.find(bitDepth);
    return it == tables_.end() ? nullptr : &it->second;
}

LutTable Resample(const ParsedLut& lut, int bitDepth) {
    LutTable table;
    const int d = lut.depth;
    const bool colour = bitDepth >= 24;
    if (!colour && lut.rgb)
        return table;
    const int bits = colour ? bitDepth / 3 : bitDepth;
    const int channels = colour ? 3 : 1;
    const int64_t count = int64_t(1) << bits;
    table.levels.reserve(size_t(count * channels));
    table.values.reserve(size_t(count * channels));
    for (int k = 0; k < channels; ++k) {
        // A monochrome file serves all three colour channels.
        const int64_t offset = lut.rgb ? k * (int64_t(1) << d) : 0;
        for (int64_t i = 0; i < count; ++i) {
            table.levels.push_back(int32_t(i));
            table.values.push_back(ToInt32(Shift(Lookup(lut, Shift(i, d - bits) + offset), bits - d)));
        }
    }
    return table;
}

std::shared_ptr<const LutTableSet> BuildTableSet(const ParsedLut& lut) {
    std::map<int, LutTable> tables;
    for (const int depth : kDepths)
        tables.emplace(depth, Resample(lut, depth));
    return std::make_shared<const LutTableSet>(std::move(tables));
}

}  // namespace lut
