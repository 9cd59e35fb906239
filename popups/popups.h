// Why the red clock jumped: each update's bonuses and penalties shown as one
// small number near the face ("+2", "-4", "-20"...) for about a second, and
// the red clock's digits blinking after a penalty. Drawn straight on the
// screen like the sprites: whatever the last frame drew gets its background
// back before anything is drawn again.
#pragma once

#include "render/render.h"

#include <vector>

class Popups {
public:
    static constexpr short LIFE = 31;   // frames a number shows: one clock second
    static constexpr short FLASH = 12;  // frames the red clock blinks after a penalty
    static constexpr short GLYPH_W = 16, GLYPH_H = 22;

    struct Rect {
        short x, y, w, h;
    };

    // A new game: nothing live, nothing on the screen to erase.
    void clear();
    // Once per update, after it: ages what shows, and adds the update's change
    // of the remaining seconds above the face at (faceX, faceY).
    void note(short secondsChange, float faceX, float faceY);
    // Gives the level background back where the last draw put numbers.
    void erase(Render& render, short backgroundSlot);
    void draw(Render& render);

    // The red clock's digits are off in this frame of a blink.
    bool clockHidden() const { return flashLeft > 0 && (flashLeft - 1) / 3 % 2 == 1; }
    // What the last draw covered.
    const std::vector<Rect>& drawn() const { return drawnRects; }
    // The pictures of a value, left to right: the sign, then the digits.
    static std::vector<short> glyphs(short value);

private:
    struct Popup {
        short value;
        float x, y;  // where it appeared, the middle of its top edge
        short age;
    };
    Rect place(const Popup& p) const;

    static const size_t MAX_LIVE = 4;  // a fifth drops the oldest
    std::vector<Popup> live;
    std::vector<Rect> drawnRects;
    short flashLeft = 0;
};
