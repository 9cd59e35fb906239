#include "app/jogo.h"
#include "app/options.h"
#include "app/quit_request.h"

#include <cstdio>

int main(int argc, char** argv) {
    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "lumo: %s\n%s", parsed.error.c_str(), usageText().c_str());
        return 2;
    }
    if (parsed.options.help || parsed.options.version) {
        std::fputs((parsed.options.help ? usageText() : versionText()).c_str(), stdout);
        return 0;
    }
    Jogo jogo;
    if (!jogo.alInit(parsed.options)) return 1;
    LOCK_VARIABLE(ticks);
    LOCK_FUNCTION(ticker);
    if (install_int_ex(ticker, 39772) != 0) {
        allegro_message("Unable to start the frame timer\n");
        jogo.alClose();
        return 1;
    }
    // Menu and game take turns here rather than calling each other, so the
    // stack does not grow with every game played. A request to quit ends a
    // game as Escape does, then the program as the exit button does.
    for (;;) {
        jogo.gameMenu();
        if (jogo.getFim() || quitRequested()) break;
        jogo.gameLoop();
        if (quitRequested()) break;
    }
    jogo.alClose();
    return 0;
}
END_OF_MAIN()
