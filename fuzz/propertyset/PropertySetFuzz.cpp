// Property-set texts: any bytes parse without a fault, and whatever was read is
// a consistent map (rows numbered 1..n, each key once).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "camera/PropertySet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CPropertyMap map;
    ParsePropertySet(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), map);
    std::set<int32_t> rows;
    for (const auto& [key, property] : map.Map()) {
        if (!property || property->key != key || property->row < 1 || !rows.insert(property->row).second)
            std::abort();
    }
    if (!rows.empty() && (*rows.begin() != 1 || *rows.rbegin() != int32_t(rows.size())))
        std::abort();
    return 0;
}
