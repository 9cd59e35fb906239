#include "input/gamepad.h"

#include "storage/messages.h"

#include <allegro.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char* const DEFAULT_DEVICE = "/dev/input/js0";

// An axis past the dead zone toward its low or high end.
void axisPushed(const JOYSTICK_INFO& pad, int stick, int axis, int deadZone, bool& low, bool& high) {
    if (stick < 0 || stick >= pad.num_sticks || axis >= pad.stick[stick].num_axis) return;
    const int pos = pad.stick[stick].axis[axis].pos;
    const int limit = deadZone * 128 / 100;
    low = low || pos < -limit;
    high = high || pos > limit;
}

bool button(const JOYSTICK_INFO& pad, int b) { return b >= 0 && b < pad.num_buttons && pad.button[b].b; }

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a named pipe";
    if (S_ISREG(mode)) return "it is a regular file";
    return "it is no character device";
}

std::vector<int> openDescriptors() {
    std::vector<int> fds;
    DIR* dir = opendir("/proc/self/fd");
    if (!dir) return fds;
    while (const dirent* entry = readdir(dir)) {
        const int fd = std::atoi(entry->d_name);
        if (entry->d_name[0] != '.' && fd != dirfd(dir)) fds.push_back(fd);
    }
    closedir(dir);
    return fds;
}

// Allegro's Linux driver opens the node and, when it then proves to be no
// joystick, never closes it: every retry would cost a descriptor.
void closeLeftBehind(const std::vector<int>& before, const struct stat& node) {
    for (int fd : openDescriptors()) {
        struct stat info;
        if (std::find(before.begin(), before.end(), fd) == before.end() && fstat(fd, &info) == 0 &&
            info.st_dev == node.st_dev && info.st_ino == node.st_ino)
            close(fd);
    }
}

}  // namespace

PadControls readPad(const GamepadLayout& l) {
    PadControls c;
    if (num_joysticks <= 0) return c;
    const JOYSTICK_INFO& pad = joy[0];
    const int dpad = l.dpad >= 0 ? l.dpad : pad.num_sticks - 1;
    for (int stick : {l.stick, dpad}) {
        axisPushed(pad, stick, 0, l.deadZone, c.left, c.right);
        axisPushed(pad, stick, 1, l.deadZone, c.up, c.down);
    }
    c.confirm = button(pad, l.confirm);
    c.cancel = button(pad, l.cancel);
    c.back = button(pad, l.back);
    c.start = button(pad, l.start);
    return c;
}

void Gamepad::start(const std::string& device) {
    named = !device.empty();
    path = named ? device : DEFAULT_DEVICE;
    said.clear();
    refused = Node();
    started = true;
    install();
}

// Only a character device goes to Allegro: it would open a pipe, a folder or
// a file just the same, and hold it. Anything else is tried again only once
// it has changed. Allegro reports success even when the device does not
// open: only num_joysticks tells.
void Gamepad::install() {
    remove_joystick();
    num_joysticks = 0;
    frames = 0;
    struct stat node;
    if (stat(path.c_str(), &node) != 0) {
        say(std::strerror(errno));
        return;
    }
    if (!S_ISCHR(node.st_mode)) {
        const Node now{node.st_dev, node.st_ino, node.st_mode,
                       node.st_mtim.tv_sec * 1000000000LL + node.st_mtim.tv_nsec};
        if (now == refused) return;
        refused = now;
        say(kindOf(node.st_mode));
        return;
    }
    const std::vector<int> before = openDescriptors();
    const std::string config = "[joystick]\njoystick_device_0 = " + path + "\n";
    override_config_data(config.c_str(), static_cast<int>(config.size()));
    if (install_joystick(JOY_TYPE_AUTODETECT) != 0) num_joysticks = 0;
    if (num_joysticks > 0) {
        said.clear();
        return;
    }
    closeLeftBehind(before, node);
    say(access(path.c_str(), R_OK) == 0 ? "it is not a joystick" : std::strerror(errno));
}

void Gamepad::say(const std::string& problem) {
    if (!named || problem == said) return;
    reportFileProblem(path, "cannot be used as a gamepad: " + problem);
    said = problem;
}

void Gamepad::frame(bool mayRetry) {
    if (!started) return;
    ++frames;
    if (num_joysticks > 0) {
        if (frames % CHECK_FRAMES == 0 && access(path.c_str(), F_OK) != 0) {
            remove_joystick();
            num_joysticks = 0;
            lost = true;
            frames = 0;
            return;
        }
        poll_joystick();
    } else if (mayRetry && frames >= RETRY_FRAMES) {
        install();
    }
}

bool Gamepad::takeLoss() {
    const bool was = lost;
    lost = false;
    return was;
}

void Gamepad::stop() {
    if (started) remove_joystick();
    started = false;
    num_joysticks = 0;
}
