// What the fuzz targets do with one input, apart from libFuzzer so that a
// normal test can replay the seeds and every input that once failed.
// Both work in the current folder and return false when a check failed.
#pragma once

#include "tests/jogo_access.h"

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The bytes become "01.txt"; a level that sets up is played for a few
// hundred frames, set up again over the same objects and played on.
bool level(const uint8_t* data, size_t size);

// The bytes become "rank.txt"; the menu reads and sorts it, a result is
// entered and written, the panel drawn, and a second reading of the file
// must give the same sorted table.
bool ranking(Jogo& jogo, const uint8_t* data, size_t size);

}  // namespace fuzz
