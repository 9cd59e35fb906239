#include "app/jogo.h"
#include "app/message_box.h"
#include "app/options.h"
#include "storage/messages.h"

#include <cstdio>

int main(int argc, char** argv) {
    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        reportProblem(parsed.error);
        std::fputs(usageText().c_str(), stderr);
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
        showMessageBox("Unable to start the frame timer\n");
        jogo.alClose();
        return 1;
    }
    jogo.gameLoop();
    jogo.alClose();
    return 0;
}
END_OF_MAIN()
