#include "display/viewport.h"

#include <algorithm>

namespace {

int largestFit(int width, int height) {
    if (width <= 0 || height <= 0) return 1;
    return std::clamp(std::min(width / PICTURE_WIDTH, height / PICTURE_HEIGHT), 1, MAX_FACTOR);
}

}  // namespace

int windowFactor(int desktopWidth, int desktopHeight) {
    return largestFit(desktopWidth, desktopHeight * 9 / 10);
}

int fullscreenFactor(int screenWidth, int screenHeight) { return largestFit(screenWidth, screenHeight); }

Viewport centredViewport(int surfaceWidth, int surfaceHeight, int factor) {
    Viewport v;
    v.factor = factor;
    v.left = std::max(0, (surfaceWidth - PICTURE_WIDTH * factor) / 2);
    v.top = std::max(0, (surfaceHeight - PICTURE_HEIGHT * factor) / 2);
    return v;
}

bool toPicture(const Viewport& v, int windowX, int windowY, int& pictureX, int& pictureY) {
    const int dx = windowX - v.left, dy = windowY - v.top;
    const bool inside = dx >= 0 && dy >= 0 && dx < PICTURE_WIDTH * v.factor && dy < PICTURE_HEIGHT * v.factor;
    pictureX = inside ? dx / v.factor : -1;
    pictureY = inside ? dy / v.factor : -1;
    return inside;
}

Viewport& currentViewport() {
    static Viewport v;
    return v;
}
