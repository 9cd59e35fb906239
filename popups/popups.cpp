#include "popups/popups.h"

#include <cstdlib>

void Popups::clear() {
    value = 0;
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

void Popups::note(short secondsChange) {
    if (value != 0 && ++age >= LIFE) value = 0;
    if (flashLeft > 0) --flashLeft;
    if (secondsChange == 0) return;
    value = secondsChange;
    age = 0;
    if (secondsChange < 0) flashLeft = FLASH;
}

Rect Popups::place(short value) {
    const int w = GLYPH_W * static_cast<int>(glyphs(value).size());
    return {BACK_X + (BACK_W - w) / 2, BACK_Y + (BACK_H - GLYPH_H) / 2, w, GLYPH_H};
}

void Popups::erase(Render& render, short panelSlot) {
    for (const Rect& r : drawnRects) render.limpaPersonagem(panelSlot, r.x, r.y, r.w, r.h);
    drawnRects.clear();
}

void Popups::draw(Render& render) {
    if (value == 0) return;
    render.desenhaImagemTrans(SLOT_POPUP_BACK, BACK_X, BACK_Y);
    const Rect r = place(value);
    int x = r.x;
    for (short slot : glyphs(value)) {
        render.desenhaImagemTrans(slot, x, r.y);
        x += GLYPH_W;
    }
    drawnRects.push_back({BACK_X, BACK_Y, BACK_W, BACK_H});
}
