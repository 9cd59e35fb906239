// Where the game's 640x480 picture sits in the window: magnified by a whole
// factor, so every game pixel is a sharp square block, and centred (on black,
// in fullscreen). The mouse is mapped back through the same numbers.
#pragma once

const int PICTURE_WIDTH = 640;
const int PICTURE_HEIGHT = 480;
const int MAX_FACTOR = 8;

struct Viewport {
    int factor = 1;
    int left = 0, top = 0;  // the picture's top-left corner in the window
};

// The largest factor whose window fits a desktop of that size with room for
// panels and title bars (90% of its height); 1 for a small or unknown one.
int windowFactor(int desktopWidth, int desktopHeight);
// The largest factor that fits the whole screen, for fullscreen.
int fullscreenFactor(int screenWidth, int screenHeight);
// The picture at that factor, centred on a surface of that size.
Viewport centredViewport(int surfaceWidth, int surfaceHeight, int factor);

// The picture pixel under a window point; false, with -1 -1, on the border.
bool toPicture(const Viewport& v, int windowX, int windowY, int& pictureX, int& pictureY);

// The viewport of the open window, which the input reads the mouse through.
Viewport& currentViewport();
