// Where the game's 640x480 picture sits in the window: magnified by a factor
// k, whole or a fraction, and centred (on black, in fullscreen). Picture
// column x covers window columns floor(x k) to floor((x + 1) k) - 1, rows
// likewise, so every row of blocks has the same pattern of widths however
// the picture is sent; the mouse is mapped back through the same tables.
#pragma once

#include <array>

const int PICTURE_WIDTH = 640;
const int PICTURE_HEIGHT = 480;
const int MAX_FACTOR = 8;

// The factor num / den, kept exact so the tables never round differently.
struct Scale {
    int num = 1, den = 1;
    bool whole() const { return den == 1; }
    bool isOne() const { return num == den; }
    // The picture's size in the window.
    int width() const { return PICTURE_WIDTH * num / den; }
    int height() const { return PICTURE_HEIGHT * num / den; }
};

class Viewport {
public:
    explicit Viewport(Scale scale = Scale(), int left = 0, int top = 0);

    Scale scale;
    int left, top;  // the picture's top-left corner in the window
    // Where each picture column (row) starts, from the picture's corner; the
    // last entry is where the magnified picture ends.
    std::array<int, PICTURE_WIDTH + 1> columns;
    std::array<int, PICTURE_HEIGHT + 1> rows;
};

// The largest whole factor whose window fits a desktop of that size with
// room for panels and title bars (90% of its height); 1 for a small or
// unknown one.
int windowFactor(int desktopWidth, int desktopHeight);
// The largest whole factor that fits the whole screen, for fullscreen.
int fullscreenFactor(int screenWidth, int screenHeight);
// The default window's factor and fullscreen's: the whole one, unless it
// leaves more than a quarter of the height unused and `wholeOnly` is false;
// then the fraction that fills the height (or the width, if narrower).
Scale windowScale(int desktopWidth, int desktopHeight, bool wholeOnly);
Scale fullscreenScale(int screenWidth, int screenHeight, bool wholeOnly);
// A factor the player chose, lowered to the largest whose window is no
// larger than the desktop; unchanged when the desktop's size is unknown.
int fittingFactor(int asked, int desktopWidth, int desktopHeight);

// The picture at that scale, centred on a surface of that size.
Viewport centredViewport(int surfaceWidth, int surfaceHeight, Scale scale);

// The picture pixel under a window point; false, with -1 -1, on the border.
bool toPicture(const Viewport& v, int windowX, int windowY, int& pictureX, int& pictureY);

// The viewport of the open window, which the input reads the mouse through.
Viewport& currentViewport();
