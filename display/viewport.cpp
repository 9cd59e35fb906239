#include "display/viewport.h"

#include <algorithm>
#include <numeric>

namespace {

int largestFit(int width, int height) {
    if (width <= 0 || height <= 0) return 1;
    return std::clamp(std::min(width / PICTURE_WIDTH, height / PICTURE_HEIGHT), 1, MAX_FACTOR);
}

Scale reduced(int num, int den) {
    const int g = std::gcd(num, den);
    return {num / g, den / g};
}

// `whole` fits width x usableHeight; the fraction filling that space is used
// instead when `whole` leaves more than a quarter of screenHeight unused.
Scale chooseScale(int whole, int width, int usableHeight, int screenHeight, bool wholeOnly) {
    const Scale w{whole, 1};
    if (wholeOnly || width <= 0 || usableHeight <= 0) return w;
    if (4 * (screenHeight - PICTURE_HEIGHT * whole) <= screenHeight) return w;
    // min(width / 640, usableHeight / 480), exactly.
    const Scale f = long(width) * PICTURE_HEIGHT < long(usableHeight) * PICTURE_WIDTH
                        ? reduced(width, PICTURE_WIDTH)
                        : reduced(usableHeight, PICTURE_HEIGHT);
    if (long(f.num) <= long(whole) * f.den || f.num > MAX_FACTOR * f.den) return w;
    return f;
}

template <size_t N>
void fillStarts(std::array<int, N>& starts, Scale s) {
    for (size_t i = 0; i < N; ++i) starts[i] = static_cast<int>(long(i) * s.num / s.den);
}

// The picture line under window offset d, or -1 outside it.
template <size_t N>
int lineAt(const std::array<int, N>& starts, int d) {
    if (d < 0 || d >= starts[N - 1]) return -1;
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), d) - starts.begin()) - 1;
}

}  // namespace

Viewport::Viewport(Scale s, int l, int t) : scale(s), left(l), top(t) {
    fillStarts(columns, s);
    fillStarts(rows, s);
}

int windowFactor(int desktopWidth, int desktopHeight) {
    return largestFit(desktopWidth, desktopHeight * 9 / 10);
}

int fullscreenFactor(int screenWidth, int screenHeight) { return largestFit(screenWidth, screenHeight); }

Scale windowScale(int desktopWidth, int desktopHeight, bool wholeOnly) {
    return chooseScale(windowFactor(desktopWidth, desktopHeight), desktopWidth, desktopHeight * 9 / 10,
                       desktopHeight, wholeOnly);
}

Scale fullscreenScale(int screenWidth, int screenHeight, bool wholeOnly) {
    return chooseScale(fullscreenFactor(screenWidth, screenHeight), screenWidth, screenHeight, screenHeight,
                       wholeOnly);
}

int fittingFactor(int asked, int desktopWidth, int desktopHeight) {
    if (desktopWidth <= 0 || desktopHeight <= 0) return asked;
    return std::min(asked, largestFit(desktopWidth, desktopHeight));
}

Viewport centredViewport(int surfaceWidth, int surfaceHeight, Scale scale) {
    return Viewport(scale, std::max(0, (surfaceWidth - scale.width()) / 2),
                    std::max(0, (surfaceHeight - scale.height()) / 2));
}

bool toPicture(const Viewport& v, int windowX, int windowY, int& pictureX, int& pictureY) {
    pictureX = lineAt(v.columns, windowX - v.left);
    pictureY = lineAt(v.rows, windowY - v.top);
    if (pictureX >= 0 && pictureY >= 0) return true;
    pictureX = pictureY = -1;
    return false;
}

Viewport& currentViewport() {
    static Viewport v;
    return v;
}
