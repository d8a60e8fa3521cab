// The columns of one line, in arrival order, of each standard tap format for a
// small width, worked out by hand from the tap preview's geometry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct StandardOrder {
    uint32_t format;
    std::vector<uint32_t> columns;  // its size is the width
};

inline const std::array<StandardOrder, 18>& standardOrders() {
    static const std::array<StandardOrder, 18> orders = {{
        {1, {0, 1, 2, 3, 4, 5, 6, 7}},
        {2, {7, 6, 5, 4, 3, 2, 1, 0}},
        {3, {0, 1, 2, 3, 4, 5, 6, 7}},
        {4, {7, 6, 5, 4, 3, 2, 1, 0}},
        {5, {0, 4, 1, 5, 2, 6, 3, 7}},
        {6, {3, 7, 2, 6, 1, 5, 0, 4}},
        {7, {0, 7, 1, 6, 2, 5, 3, 4}},
        {8, {3, 4, 2, 5, 1, 6, 0, 7}},
        {9, {0, 3, 6, 1, 4, 7, 2, 5, 8}},
        {10, {0, 2, 4, 6, 1, 3, 5, 7}},
        {11, {1, 3, 5, 7, 0, 2, 4, 6}},
        {12, {0, 1, 4, 5, 2, 3, 6, 7}},
        {13, {0, 1, 7, 6, 2, 3, 5, 4}},
        {14, {0, 3, 4, 7, 1, 2, 5, 6}},
        {15, {0, 1, 2, 3, 4, 5, 6, 7}},
        {16, {7, 6, 5, 4, 3, 2, 1, 0}},
        {17, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {18, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
    }};
    return orders;
}
