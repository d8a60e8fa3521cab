// The resampled tables of one loaded file, one per image bit depth. A set never
// changes once built and is shared: whoever converts a frame with its arrays keeps
// the set alive, so a reload never pulls a table from under a queued frame.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "analysis/LutFormat.h"

namespace lut {

struct LutTable {
    std::vector<int32_t> levels;
    std::vector<int32_t> values;
    bool empty() const { return levels.empty() || values.empty(); }
};

class LutTableSet {
public:
    explicit LutTableSet(std::map<int, LutTable> tables) : tables_(std::move(tables)) {}
    // The table for an image bit depth; null when there is none.
    const LutTable* Find(int bitDepth) const;
    const std::map<int, LutTable>& tables() const { return tables_; }

private:
    std::map<int, LutTable> tables_;
};

// The table of a file resampled to `bitDepth` (one of kDepths). Monochrome depths
// of an RGB file give an empty table.
LutTable Resample(const ParsedLut& lut, int bitDepth);

// Every depth of kDepths.
std::shared_ptr<const LutTableSet> BuildTableSet(const ParsedLut& lut);

}  // namespace lut
