#include "input/key_bindings.h"

#include <allegro.h>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

const int COUNT = static_cast<int>(Binding::Count);

// Allegro's KEY_ names by scancode, 1 to KEY_MAX - 1.
const char* const NAMES[KEY_MAX] = {
    "", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S",
    "T", "U", "V", "W", "X", "Y", "Z", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0_PAD",
    "1_PAD", "2_PAD", "3_PAD", "4_PAD", "5_PAD", "6_PAD", "7_PAD", "8_PAD", "9_PAD", "F1", "F2", "F3",
    "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "ESC", "TILDE", "MINUS", "EQUALS",
    "BACKSPACE", "TAB", "OPENBRACE", "CLOSEBRACE", "ENTER", "COLON", "QUOTE", "BACKSLASH",
    "BACKSLASH2", "COMMA", "STOP", "SLASH", "SPACE", "INSERT", "DEL", "HOME", "END", "PGUP", "PGDN",
    "LEFT", "RIGHT", "UP", "DOWN", "SLASH_PAD", "ASTERISK", "MINUS_PAD", "PLUS_PAD", "DEL_PAD",
    "ENTER_PAD", "PRTSCR", "PAUSE", "ABNT_C1", "YEN", "KANA", "CONVERT", "NOCONVERT", "AT",
    "CIRCUMFLEX", "COLON2", "KANJI", "EQUALS_PAD", "BACKQUOTE", "SEMICOLON", "COMMAND", "UNKNOWN1",
    "UNKNOWN2", "UNKNOWN3", "UNKNOWN4", "UNKNOWN5", "UNKNOWN6", "UNKNOWN7", "UNKNOWN8", "LSHIFT",
    "RSHIFT", "LCONTROL", "RCONTROL", "ALT", "ALTGR", "LWIN", "RWIN", "MENU", "SCRLOCK", "NUMLOCK",
    "CAPSLOCK"};

// Escape and Enter work every screen, Alt goes with Enter: none of them can
// take another job.
bool reserved(int k) { return k == KEY_ESC || k == KEY_ENTER || k == KEY_ENTER_PAD || k == KEY_ALT || k == KEY_ALTGR; }

std::string joined(const std::vector<int>& keys) {
    std::string s;
    for (int k : keys) s += (s.empty() ? "" : " ") + keyName(k);
    return s;
}

// The keys an entry names, or false with the reason.
bool readEntry(const std::string& text, std::vector<int>& keys, std::string& reason) {
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const int k = scancodeOf(word);
        if (k == 0) {
            reason = "no key is called \"" + word + "\"";
            return false;
        }
        if (reserved(k)) {
            reason = keyName(k) + " is kept for the menus";
            return false;
        }
        if (std::find(keys.begin(), keys.end(), k) == keys.end()) keys.push_back(k);
    }
    return true;
}

// The first key of entry b that another entry has too, or 0.
int sharedKey(const KeyBindings& t, int b) {
    for (int k : t.keys[b]) {
        for (int other = 0; other < COUNT; ++other) {
            const auto& o = t.keys[other];
            if (other != b && std::find(o.begin(), o.end(), k) != o.end()) return k;
        }
    }
    return 0;
}

}  // namespace

KeyBindings::KeyBindings()
    : keys{{KEY_A, KEY_RIGHT}, {KEY_D, KEY_LEFT}, {KEY_P}, {KEY_M}} {}

const char* bindingName(Binding b) {
    static const char* const names[COUNT] = {"turn_clockwise", "turn_anticlockwise", "pause", "mute"};
    return names[static_cast<int>(b)];
}

int scancodeOf(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int k = 1; k < KEY_MAX; ++k)
        if (upper == NAMES[k]) return k;
    return 0;
}

std::string keyName(int scancode) { return scancode > 0 && scancode < KEY_MAX ? NAMES[scancode] : ""; }

KeyBindings parseKeyBindings(const std::string (&texts)[COUNT], std::vector<std::string>* problems) {
    const KeyBindings defaults;
    KeyBindings table;
    bool fromFile[COUNT] = {};
    auto complain = [&](int b, const std::string& reason) {
        if (problems)
            problems->push_back(std::string("[keys] ") + bindingName(static_cast<Binding>(b)) + ": " + reason +
                                "; keeping " + joined(defaults.keys[b]));
    };
    for (int b = 0; b < COUNT; ++b) {
        std::vector<int> keys;
        std::string reason;
        if (!readEntry(texts[b], keys, reason)) complain(b, reason);
        else if (!keys.empty()) {
            table.keys[b] = keys;
            fromFile[b] = true;
        }
    }
    // Every entry of the file sharing a key goes back to its default; a
    // default may in turn clash with another entry of the file, so until
    // none does. Defaults share no key, so each round ends one clash at least.
    for (bool clash = true; clash;) {
        clash = false;
        int shared[COUNT] = {};
        for (int b = 0; b < COUNT; ++b) shared[b] = fromFile[b] ? sharedKey(table, b) : 0;
        for (int b = 0; b < COUNT; ++b) {
            if (shared[b] == 0) continue;
            complain(b, keyName(shared[b]) + " is in another entry too");
            table.keys[b] = defaults.keys[b];
            fromFile[b] = false;
            clash = true;
        }
    }
    return table;
}
