// The game's window. The game keeps drawing its 640x480 picture into
// Allegro's `screen`, which here is a memory bitmap; the real window, of
// any size, gets the picture magnified, one changed rectangle at a time.
// Fullscreen, the pointer (the window system's own, so no pointer pixel is
// ever part of the picture) and the focus live here too.
#pragma once

#include <string>

#include <allegro.h>

struct WindowRequest {
    int scale = 0;  // 0: the largest that fits the desktop; else 1 to 8
    bool fullscreen = false;
    bool wholeFactors = false;  // never a fractional factor
};

// Name, class and icon as the desktop sees them; before Allegro starts,
// which creates the X window.
void nameWindow();
// Opens the window as asked, falling back to smaller factors and to a window
// when the system refuses; false when nothing opens, with what went wrong in
// windowProblem(). A scale whose window would not fit the desktop is
// lowered, with a line on stderr.
bool openWindow(const WindowRequest& request);
// Why the window last failed to open, for the game to show.
const std::string& windowProblem();
// Gives Allegro its own screen back; before allegro_exit.
void closeWindow();

// Sends what changed in the picture since the last call.
void presentPicture();

// Fullscreen on or off; when it switched, the window shows the whole picture
// anew. Failed: no window opens any more (why is in windowProblem()), and
// the game, shown nowhere, should end.
enum class FullscreenSwitch { Switched, Unchanged, Failed };
FullscreenSwitch toggleFullscreen();
bool isFullscreen();

void showPointer();
void hidePointer();

// True once after the window lost the keyboard focus.
bool takeFocusLoss();
