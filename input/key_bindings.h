// The keys of the player's choice: which keys turn the player either way,
// pause and mute. lumo.cfg names them with Allegro's KEY_ names without the
// prefix, in any case ("A RIGHT", "pgup", "0_PAD"); the names are kept here
// as a table, as Allegro's own names depend on the keyboard layout and need
// a display.
#pragma once

#include <string>
#include <vector>

enum class Binding { TurnClockwise, TurnAnticlockwise, Pause, Mute, Count };

struct KeyBindings {
    // The scancodes of each entry, in Binding order; today's keys unless the
    // player named others.
    std::vector<int> keys[static_cast<int>(Binding::Count)];

    KeyBindings();
    const std::vector<int>& of(Binding b) const { return keys[static_cast<int>(b)]; }
};

// The entry's name in lumo.cfg's [keys]: "turn_clockwise" ...
const char* bindingName(Binding b);
// The scancode of a KEY_ name without its prefix, any case; 0 when unknown.
int scancodeOf(const std::string& name);
// The name of a scancode as lumo.cfg writes it, "" for none.
std::string keyName(int scancode);

// The [keys] entries as lumo.cfg holds them (an empty text: the entry is
// missing). Each entry replaces its default; one that names an unknown key,
// Escape, Enter or Alt, or a key another entry has too, keeps its default,
// and `problems` gets one line saying so.
KeyBindings parseKeyBindings(const std::string (&texts)[static_cast<int>(Binding::Count)],
                             std::vector<std::string>* problems = nullptr);
