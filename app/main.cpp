#include "app/jogo.h"

int main() {
    Jogo jogo;
    if (!jogo.alInit()) return 1;
    LOCK_VARIABLE(ticks);
    LOCK_FUNCTION(ticker);
    install_int_ex(ticker, 39772);
    // Menu and game take turns here rather than calling each other, so the
    // stack does not grow with every game played.
    for (;;) {
        jogo.gameMenu();
        if (jogo.getFim()) break;
        jogo.gameLoop();
    }
    jogo.alClose();
    return 0;
}
END_OF_MAIN()
