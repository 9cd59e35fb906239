#include <gtest/gtest.h>

#include "tests/support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    test::startAllegro();
    return RUN_ALL_TESTS();
}
