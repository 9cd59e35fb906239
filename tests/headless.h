// The set-up most headless tests share: Allegro on its memory screen, a
// throw-away working folder, and every key and button let go afterwards so
// nothing a test held leaks into the next.
#pragma once

#include "tests/support.h"

#include <allegro.h>
#include <gtest/gtest.h>

namespace test {

inline void releaseInput() {
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    mouse_b = 0;
}

class Headless : public ::testing::Test {
protected:
    void SetUp() override { startAllegro(); }
    void TearDown() override { releaseInput(); }

    TempFolder folder;
};

}  // namespace test
