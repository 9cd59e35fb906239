#include "input/gamepad.h"

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    started = true;
    install();
    if (num_joysticks == 0 && named && !reported) {
        const int error = access(path.c_str(), R_OK) == 0 ? 0 : errno;
        std::fprintf(stderr, "lumo: the gamepad %s cannot be opened%s%s\n", path.c_str(), error ? ": " : "",
                     error ? std::strerror(error) : "");
        reported = true;
    }
}

// Allegro takes the device from its configuration, and reports success even
// when the device does not open: only num_joysticks tells.
void Gamepad::install() {
    remove_joystick();
    const std::string config = "[joystick]\njoystick_device_0 = " + path + "\n";
    override_config_data(config.c_str(), static_cast<int>(config.size()));
    if (install_joystick(JOY_TYPE_AUTODETECT) != 0) num_joysticks = 0;
    frames = 0;
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
