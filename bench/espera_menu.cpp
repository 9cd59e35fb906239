// Starts a program and waits until its window, titled "Lumo", shows the menu
// (at whatever factor the window magnifies it):
// the five buttons and the banner all on screen, which is the first menu
// frame. Prints the child's process id and the milliseconds from just before
// the start to that moment, then leaves the game running for scripts/perf.sh.
//   espera_menu PROGRAMA [ARGUMENTOS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <thread>

namespace {

struct Regiao {
    int x, y, w, h;
};
// The five buttons (200 or 160 x 74) and the banner (390 x 320).
const Regiao menu[] = {{0, 140, 200, 74},   {0, 240, 200, 74},  {0, 340, 200, 50},
                       {0, 390, 200, 74},   {480, 390, 160, 74}, {250, 50, 390, 320}};

int ignoraErro(Display*, XErrorEvent*) { return 0; }

Window procura(Display* d, Window w) {
    char* nome = nullptr;
    if (XFetchName(d, w, &nome) && nome) {
        const bool achou = strcasecmp(nome, "lumo") == 0;
        XFree(nome);
        if (achou) return w;
    }
    Window raiz, pai, *filhos = nullptr;
    unsigned n = 0;
    Window achada = 0;
    if (XQueryTree(d, w, &raiz, &pai, &filhos, &n)) {
        for (unsigned i = 0; i < n && !achada; ++i) achada = procura(d, filhos[i]);
        if (filhos) XFree(filhos);
    }
    return achada;
}

// Something other than black across the middle of every button and of the
// banner: a pointer can cover one region, never all six. One row of each
// is read, so the probe costs the X server little at any factor.
bool mostraMenu(Display* d, Window janela, int f) {
    for (const Regiao& r : menu) {
        XImage* img = XGetImage(d, janela, r.x * f, (r.y + r.h / 2) * f, r.w * f, 1, AllPlanes, ZPixmap);
        if (!img) return false;
        bool aceso = false;
        for (int x = 0; x < r.w * f && !aceso; ++x) aceso = (XGetPixel(img, x, 0) & 0xffffff) != 0;
        XDestroyImage(img);
        if (!aceso) return false;
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
    XSetErrorHandler(ignoraErro);  // the window may vanish or be unmapped while we look

    const auto inicio = std::chrono::steady_clock::now();
    const pid_t filho = fork();
    if (filho == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    Window janela = 0;
    for (;;) {
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
        if (ms > 10000) {
            std::fprintf(stderr, "no menu after 10 s\n");
            std::printf("%d -1\n", filho);
            return 1;
        }
        if (!janela) janela = procura(d, DefaultRootWindow(d));
        if (janela) {
            XWindowAttributes at;
            if (XGetWindowAttributes(d, janela, &at) && at.map_state == IsViewable && at.width >= 640 &&
                at.height >= 480) {
                if (mostraMenu(d, janela, at.width / 640)) {
                    std::printf("%d %.1f\n", filho,
                                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count());
                    return 0;
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
