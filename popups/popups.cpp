#include "popups/popups.h"

#include <algorithm>
#include <cstdlib>

namespace {

const short RISE_EVERY = 3;  // frames per pixel the number floats up
const short ABOVE_FACE = 24;  // from the face's top to the number's top
const short FACE_MIDDLE = 20;  // the face's picture is 40 x 40
const short FIELD_TOP = 70;  // the panel band above stays the panel's

}  // namespace

void Popups::clear() {
    live.clear();
    drawnRects.clear();
    flashLeft = 0;
}

std::vector<short> Popups::glyphs(short value) {
    std::vector<short> g;
    if (value == 0) return g;
    g.push_back(value > 0 ? SLOT_POPUP_PLUS : SLOT_POPUP_MINUS);
    int n = std::abs(value);
    std::vector<short> digits;
    do {
        digits.push_back(slotPopupDigit(n % 10));
        n /= 10;
    } while (n > 0);
    g.insert(g.end(), digits.rbegin(), digits.rend());
    return g;
}

void Popups::note(short secondsChange, float faceX, float faceY) {
    for (Popup& p : live) ++p.age;
    live.erase(std::remove_if(live.begin(), live.end(), [](const Popup& p) { return p.age >= LIFE; }), live.end());
    if (flashLeft > 0) --flashLeft;
    if (secondsChange == 0) return;
    if (live.size() == MAX_LIVE) live.erase(live.begin());
    live.push_back({secondsChange, faceX + FACE_MIDDLE, faceY - ABOVE_FACE, 0});
    if (secondsChange < 0) flashLeft = FLASH;
}

// Inside the playfield whatever the face did: a number never covers the panel.
Popups::Rect Popups::place(const Popup& p) const {
    const short w = static_cast<short>(GLYPH_W * glyphs(p.value).size());
    const float x = p.x - w / 2.0f, y = p.y - p.age / RISE_EVERY;
    return {static_cast<short>(std::clamp(x, 0.0f, float(640 - w))),
            static_cast<short>(std::clamp(y, float(FIELD_TOP), float(480 - GLYPH_H))), w, GLYPH_H};
}

void Popups::erase(Render& render, short backgroundSlot) {
    for (const Rect& r : drawnRects) render.limpaPersonagem(backgroundSlot, r.x, r.y, r.w, r.h);
    drawnRects.clear();
}

void Popups::draw(Render& render) {
    for (const Popup& p : live) {
        const Rect r = place(p);
        short x = r.x;
        for (short slot : glyphs(p.value)) {
            render.desenhaImagemTrans(slot, x, r.y);
            x += GLYPH_W;
        }
        drawnRects.push_back(r);
    }
}
