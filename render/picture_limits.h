// What a picture file of the game may be: none is larger than the screen.
// Sides are checked in the file's header, before any memory is taken, so a
// small file claiming a huge picture costs nothing.
#pragma once

#include <cstddef>

const int MAX_PICTURE_WIDTH = 640;
const int MAX_PICTURE_HEIGHT = 480;
// A 640 x 480 picture stored without any compression is some 1.2 MB.
const size_t MAX_PICTURE_BYTES = 4 << 20;

inline bool pictureFits(long long w, long long h) {
    return w > 0 && h > 0 && w <= MAX_PICTURE_WIDTH && h <= MAX_PICTURE_HEIGHT;
}
