// The yardstick for the game's start-up: a bare Allegro program that starts
// like the game (Allegro, keyboard, mouse, timer), opens the same 640x480
// 32-bit window, fills it with one rectangle and waits to be killed.
// scripts/perf.sh times it with menu_probe beside the game.
#include <allegro.h>

int main() {
    if (allegro_init() != 0) return 1;
    install_keyboard();
    install_mouse();
    install_timer();
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) return 1;
    rectfill(screen, 0, 0, SCREEN_W - 1, SCREEN_H - 1, makecol(200, 120, 40));
    for (;;) rest(100);
}
END_OF_MAIN()
