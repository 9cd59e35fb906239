// Helpers shared by the headless tests: a memory screen, throw-away folders
// and small images made on the spot, so no test depends on the shipped art.
#pragma once

#include <allegro.h>

#include <functional>
#include <ostream>
#include <string>

namespace test {

// Allegro without a display; `screen` is a 640x480 32-bit memory bitmap.
void startAllegro();

// A fresh temporary folder that is the working directory while it lives.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return folder; }

private:
    std::string folder;
    std::string previous;
};

void writeFile(const std::string& path, const std::string& contents);
std::string readFile(const std::string& path);
bool exists(const std::string& path);
// Temporary files a write of `name` left in the working folder ("name." and
// six characters).
int temporaryFilesOf(const std::string& name);

// Another program holding the lock on `path` (its ".lock" beside it) while
// this lives: a child process, killed on destruction.
class HeldLock {
public:
    explicit HeldLock(const std::string& path);
    ~HeldLock();
    bool held() const { return holding; }

private:
    int child = -1;
    bool holding = false;
};

// Writes a w x h image of one colour; PNG keeps `a` as alpha, JPEG drops it.
void saveImage(const std::string& path, int w, int h, int r, int g, int b, int a = 255);

// Writes the whole image set in the working directory: slot s gets the colour
// colour(s) (r, g, b). Full-screen pictures are 640x480, the others small.
void makeImageSet(const std::function<int(int)>& colour = nullptr);

// A colour per slot that differs from every other slot's and survives JPEG.
int slotColour(int slot);

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
inline std::ostream& operator<<(std::ostream& o, const Rgb& c) {
    return o << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}
Rgb pixel(BITMAP* bmp, int x, int y);
// Equal within a few steps per channel, as JPEG rounding allows.
bool near(const Rgb& a, const Rgb& b, int tolerance = 4);
Rgb rgbOf(int colour32);

}  // namespace test
