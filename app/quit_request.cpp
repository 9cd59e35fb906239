#include "app/quit_request.h"

#include "storage/whole_file.h"

#include <allegro.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t quitFlag = 0;

// Text and numbers into a path with calls a signal handler may make.
size_t put(char* out, size_t at, const char* text) {
    while (*text) out[at++] = *text++;
    out[at] = '\0';
    return at;
}

size_t putNumber(char* out, size_t at, long n) {
    char digits[24];
    int k = 0;
    do digits[k++] = char('0' + n % 10);
    while ((n /= 10) > 0);
    while (k > 0) out[at++] = digits[--k];
    out[at] = '\0';
    return at;
}

bool readSmallFile(const char* path, char* text, size_t size) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const ssize_t n = read(fd, text, size - 1);
    close(fd);
    text[n > 0 ? n : 0] = '\0';
    return n > 0;
}

// Under X, allegro_message shows its box through an xmessage child and
// waits for it; a signal ends the wait, and the game, but not the box.
void endMessageBoxes() {
    char path[64], children[512], name[32];
    size_t at = put(path, 0, "/proc/self/task/");
    at = putNumber(path, at, getpid());
    put(path, at, "/children");
    if (!readSmallFile(path, children, sizeof children)) return;
    for (const char* c = children; *c;) {
        if (*c < '0' || *c > '9') {
            ++c;
            continue;
        }
        long child = 0;
        while (*c >= '0' && *c <= '9') child = child * 10 + (*c++ - '0');
        at = putNumber(path, put(path, 0, "/proc/"), child);
        put(path, at, "/comm");
        if (child > 0 && readSmallFile(path, name, sizeof name) && std::strcmp(name, "xmessage\n") == 0)
            kill(pid_t(child), SIGTERM);
    }
}

void onSignal(int) {
    const int saved = errno;
    quitFlag = 1;
    endMessageBoxes();
    errno = saved;
}
void onCloseButton() { quitFlag = 1; }
END_OF_FUNCTION(onCloseButton)

// Xlib ends the process if this returns, through exit() and Allegro's
// atexit shut-down, which would wait on the lost server. A save under way
// leaves its file old or new; only its temporary file needs removing.
int onDisplayLost(::Display*) {
    removeUnfinishedWrite();
    _exit(0);
}

}  // namespace

void installQuitHandlers() {
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &action, nullptr);
    LOCK_FUNCTION(onCloseButton);
    set_close_button_callback(onCloseButton);
}

void installDisplayLossHandler() { XSetIOErrorHandler(onDisplayLost); }

bool quitRequested() { return quitFlag != 0; }
void requestQuit() { quitFlag = 1; }
