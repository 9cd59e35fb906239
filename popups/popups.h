// Why the red clock jumped: each update's bonuses and penalties shown as one
// small number ("+2", "-4", "-20"...) in the panel band right under the red
// clock for about a second, and the red clock's digits blinking after a
// penalty. One number at a time: a new one takes the place of the one still
// showing. Drawn straight on the screen like the panel's digits: whatever
// the last frame drew gets the panel back before anything is drawn again.
#pragma once

#include "display/rect.h"
#include "render/render.h"

#include <vector>

class Popups {
public:
    static constexpr short LIFE = 31;   // frames a number shows: one clock second
    static constexpr short FLASH = 12;  // frames the red clock blinks after a penalty
    static constexpr short GLYPH_W = 12, GLYPH_H = 16;
    // The dark strip the number sits on, under the red clock's cells (550..630).
    static constexpr short BACK_X = 545, BACK_Y = 46, BACK_W = 90, BACK_H = 18;

    // A new game: nothing live, nothing on the screen to erase.
    void clear();
    // Once per update, after it: ages what shows, and shows the update's
    // change of the remaining seconds, if any, in place of the last one.
    void note(short secondsChange);
    // Gives the panel back (from panelSlot) where the last draw put a number.
    void erase(Render& render, short panelSlot);
    void draw(Render& render);
    // The game is over: the red clock shows for good.
    void stopBlink() { flashLeft = 0; }

    // The red clock's digits are off in this frame of a blink.
    bool clockHidden() const { return flashLeft > 0 && (flashLeft - 1) / 3 % 2 == 1; }
    // What the last draw covered.
    const std::vector<Rect>& drawn() const { return drawnRects; }
    // Where the number of `value` goes: centred on the strip.
    static Rect place(short value);
    // The pictures of a value, left to right: the sign, then the digits.
    static std::vector<short> glyphs(short value);

private:
    short value = 0;  // the number showing, 0 for none
    short age = 0;
    std::vector<Rect> drawnRects;
    short flashLeft = 0;
};
