#include <gtest/gtest.h>

#include "grabber/Grabber.h"

namespace {

TEST(TapFormat, OutOfRangeFormatsAreRefused) {
    TapConfig t{};
    t.taps = 77;
    EXPECT_NE(grabber::SetTapFormat(0, t), 0u);
    EXPECT_NE(grabber::SetTapFormat(19, t), 0u);
    EXPECT_EQ(t.taps, 77) << "a refused format leaves the record alone";
    EXPECT_NE(SetTapFormat(1, nullptr), 0u);
    EXPECT_EQ(GetTapFormat(nullptr), 0u);
}

}  // namespace
