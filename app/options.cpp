#include "app/options.h"

#include "display/window.h"
#include "settings/settings.h"

namespace {

// One digit, 1 to 8, and nothing else.
std::optional<int> scaleValue(const std::string& text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '8') return std::nullopt;
    return text[0] - '0';
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    Options& o = parsed.options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--fullscreen") {
            o.fullscreen = true;
        } else if (a == "--windowed") {
            o.fullscreen = false;
        } else if (a == "--mute") {
            o.mute = true;
        } else if (a == "--integer") {
            o.integer = true;
        } else if (a == "--scale" || a.rfind("--scale=", 0) == 0) {
            const bool joined = a != "--scale";
            if (!joined && i + 1 >= arguments.size()) {
                parsed.error = "option '--scale' needs a number from 1 to 8";
                return parsed;
            }
            const std::string value = joined ? a.substr(8) : arguments[++i];
            o.scale = scaleValue(value);
            if (!o.scale) {
                parsed.error = "bad value '" + value + "' for '--scale': give a number from 1 to 8";
                return parsed;
            }
        } else {
            parsed.error = "unknown option '" + a + "'";
            return parsed;
        }
    }
    return parsed;
}

std::string usageText() {
    return "Usage: lumo [OPTION]...\n"
           "Steer the smiley, beat the clock.\n"
           "\n"
           "  --scale N      show the 640x480 picture N times larger (1 to 8);\n"
           "                 by default the largest that fits the screen; a scale\n"
           "                 too large for the screen is lowered to one that fits\n"
           "  --integer      magnify by whole factors only (by default a window or\n"
           "                 fullscreen that a whole factor leaves too small for\n"
           "                 the screen is magnified by a fraction)\n"
           "  --fullscreen   start in fullscreen (Alt+Enter toggles it while playing)\n"
           "  --windowed     start in a window\n"
           "  --mute         start with the sound muted\n"
           "  --help         show this help and exit\n"
           "  --version      show the version and exit\n"
           "\n"
           "Options given here win over lumo.cfg for this run and are not saved.\n"
           "\n"
           "Menu:  Up/Down focus, Enter or Space choose, 1 2 3 start a level in the\n"
           "       chooser, Left/Right or PgUp/PgDn turn the help pages, Escape back\n"
           "       (twice quits); the mouse works too.\n"
           "Game:  Right or A turn clockwise, Left or D anticlockwise, P pause,\n"
           "       Escape end the game.\n"
           "Always: M sound on or off, Alt+Enter fullscreen.\n"
           "Gamepad: stick or d-pad steer and choose, A Enter, B Escape (menus only),\n"
           "       Back Escape, Start pause in a game and Enter elsewhere.\n"
           "The turn, pause and mute keys and the pad are set in lumo.cfg [keys]\n"
           "and [gamepad].\n";
}

std::string versionText() { return std::string("lumo ") + LUMO_VERSION + "\n"; }

WindowRequest chooseWindow(const Options& options, const Settings& settings) {
    WindowRequest request;
    request.scale = options.scale.value_or(settings.scale);
    request.fullscreen = options.fullscreen.value_or(settings.fullscreen);
    request.wholeFactors = options.integer || settings.integer;
    return request;
}
