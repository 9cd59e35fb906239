#include "app/quit_request.h"

#include "storage/whole_file.h"

#include <allegro.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t quitFlag = 0;

void onSignal(int) { quitFlag = 1; }
void onCloseButton() { quitFlag = 1; }
END_OF_FUNCTION(onCloseButton)

// Xlib ends the process if this returns, through exit() and Allegro's
// atexit shut-down, which would wait on the lost server. A save under way
// leaves its file old or new; only its temporary file needs removing.
int onDisplayLost(::Display*) {
    removeUnfinishedWrite();
    _exit(0);
}

// Under X, allegro_message shows its box through an xmessage child and
// waits for it: a signal ends the wait, and then the program, but not the box.
void endMessageBoxes() {
    std::ifstream children("/proc/self/task/" + std::to_string(getpid()) + "/children");
    for (pid_t child; children >> child;) {
        std::ifstream comm("/proc/" + std::to_string(child) + "/comm");
        std::string name;
        if (comm >> name && name == "xmessage") kill(child, SIGTERM);
    }
}

}  // namespace

void installQuitHandlers() {
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &action, nullptr);
    LOCK_FUNCTION(onCloseButton);
    set_close_button_callback(onCloseButton);
    std::atexit(endMessageBoxes);
}

void installDisplayLossHandler() { XSetIOErrorHandler(onDisplayLost); }

bool quitRequested() { return quitFlag != 0; }
void requestQuit() { quitFlag = 1; }
