// The main of the tests without widgets.
#include <gtest/gtest.h>

#include "IsolatedHome.h"

int main(int argc, char** argv) {
    const testsupport::IsolatedHome home;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
