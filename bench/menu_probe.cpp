// Starts a program and waits until its window, named after the program
// ("lumo", in any case), shows the menu: the five buttons and the banner all
// on screen, which is the first menu frame. Prints the child's process id and
// the milliseconds from just before the start to that moment, then leaves the
// game running for scripts/perf.sh. The bare window (bare_window.cpp) lights the
// same regions with its one rectangle.
//   menu_probe PROGRAM [ARGUMENTS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <strings.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

struct Region {
    int x, y, w, h;
};
// The five buttons (200 or 160 x 74) and the banner (390 x 320).
const Region menuRegions[] = {{0, 140, 200, 74}, {0, 240, 200, 74},   {0, 340, 200, 50},
                              {0, 390, 200, 74}, {480, 390, 160, 74}, {250, 50, 390, 320}};

int ignoreError(Display*, XErrorEvent*) { return 0; }

Window findWindow(Display* d, Window w, const char* title) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        const bool found = strcasecmp(name, title) == 0;
        XFree(name);
        if (found) return w;
    }
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    Window match = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned i = 0; i < n && !match; ++i) match = findWindow(d, children[i], title);
        if (children) XFree(children);
    }
    return match;
}

// Something other than black in every button and in the banner: a pointer
// can cover one region, never all six.
bool showsMenu(XImage* img) {
    for (const Region& r : menuRegions) {
        bool lit = false;
        for (int y = r.y; y < r.y + r.h && !lit; y += 3)
            for (int x = r.x; x < r.x + r.w && !lit; x += 3) lit = (XGetPixel(img, x, y) & 0xffffff) != 0;
        if (!lit) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreError);  // the window may vanish or be unmapped while we look
    const char* slash = std::strrchr(argv[1], '/');
    const char* title = slash ? slash + 1 : argv[1];

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    Window window = 0;
    for (;;) {
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (ms > 10000) {
            std::fprintf(stderr, "no menu after 10 s\n");
            std::printf("%d -1\n", child);
            return 1;
        }
        if (!window) window = findWindow(d, DefaultRootWindow(d), title);
        if (window) {
            XWindowAttributes at;
            if (XGetWindowAttributes(d, window, &at) && at.map_state == IsViewable && at.width >= 640 &&
                at.height >= 480) {
                if (XImage* img = XGetImage(d, window, 0, 0, 640, 480, AllPlanes, ZPixmap)) {
                    const bool ready = showsMenu(img);
                    XDestroyImage(img);
                    if (ready) {
                        std::printf("%d %.1f\n", child,
                                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
                        return 0;
                    }
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
