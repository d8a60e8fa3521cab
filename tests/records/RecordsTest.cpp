#include <gtest/gtest.h>

#include "zamgrb.h"

namespace {

struct ModeCase {
    uint32_t bitDepth, taps, channels;
    CameraLinkMode mode;
};

class CameraLinkModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(CameraLinkModeTest, FollowsTheBitsPerClock) {
    const ModeCase& c = GetParam();
    EXPECT_EQ(ZamgrbCameraLinkMode(c.bitDepth, c.taps, c.channels), c.mode)
        << c.bitDepth << " bits x " << c.taps << " taps x " << c.channels << " channels";
}

INSTANTIATE_TEST_SUITE_P(Boundaries, CameraLinkModeTest,
                         ::testing::Values(ModeCase{8, 3, 1, CAMERA_LINK_BASE},     // 24
                                           ModeCase{25, 1, 1, CAMERA_LINK_MEDIUM},  // 25
                                           ModeCase{12, 4, 1, CAMERA_LINK_MEDIUM},  // 48
                                           ModeCase{49, 1, 1, CAMERA_LINK_FULL},    // 49
                                           ModeCase{8, 8, 1, CAMERA_LINK_FULL},     // 64
                                           ModeCase{16, 2, 2, CAMERA_LINK_FULL},    // 64: two channels count
                                           ModeCase{65, 1, 1, CAMERA_LINK_DECA},    // 65
                                           ModeCase{8, 10, 1, CAMERA_LINK_DECA},    // 80
                                           ModeCase{81, 1, 1, CAMERA_LINK_NOT_ALLOWED},  // 81
                                           ModeCase{12, 8, 1, CAMERA_LINK_NOT_ALLOWED},  // 96
                                           ModeCase{0xFFFFFFFFu, 10, 2,
                                                    CAMERA_LINK_NOT_ALLOWED}));  // no wrap-around

}  // namespace
