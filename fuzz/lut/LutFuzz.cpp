// Any bytes as a lookup-table file: parse, resample every depth, read the header.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "analysis/LutFormat.h"
#include "analysis/LutTables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    const lut::LutParseResult result = lut::ParseLut(in);
    if (result.lut) {
        const auto tables = lut::BuildTableSet(*result.lut);
        for (const int depth : lut::kDepths) {
            const lut::LutTable* table = tables->Find(depth);
            if (table == nullptr || table->levels.size() != table->values.size())
                __builtin_trap();
        }
    } else if (result.error.empty()) {
        __builtin_trap();  // a text stream cannot fail to read
    }
    std::istringstream headerIn(text);
    (void)lut::ReadLutHeader(headerIn);
    return 0;
}
