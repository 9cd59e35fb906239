// Whether the X server shows a pointer right now: prints "shown" when the
// current cursor has any visible pixel, "hidden" otherwise.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XFixesCursorImage* c = XFixesGetCursorImage(d);
    if (!c) {
        std::fprintf(stderr, "no cursor image\n");
        return 2;
    }
    bool visible = false;
    for (int i = 0; i < c->width * c->height && !visible; ++i) visible = (c->pixels[i] >> 24) != 0;
    std::puts(visible ? "shown" : "hidden");
    XFree(c);
    XCloseDisplay(d);
    return 0;
}
