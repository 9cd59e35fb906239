// libFuzzer entry: any bytes as the level file of level 1.
#include "tests/fuzz/targets.h"
#include "tests/support.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    test::startAllegro();
    static test::TempFolder folder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzz::level(data, size)) std::abort();
    return 0;
}
