// Row walking shared by the primitives: typed row pointers from byte steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "imaging.h"

namespace imaging::detail {

template <typename T>
T* Row(T* base, ptrdiff_t step, int y) {
    using Byte = std::conditional_t<std::is_const_v<T>, const uint8_t, uint8_t>;
    return reinterpret_cast<T*>(reinterpret_cast<Byte*>(base) + step * y);
}

inline bool Empty(Size roi) {
    return roi.width <= 0 || roi.height <= 0;
}

}  // namespace imaging::detail
