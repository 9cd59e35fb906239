#include "summary/summary.h"

namespace {

// Cells on the card, from its top-left corner.
const short TIME_X = 208, TIME_Y = 65;      // mm:ss, first digit set
const short LINE_X = 20, LINE_Y = 100;      // "Ranking place" or "Not in the ranking"
const short PLACE_X = 20 + 195, PLACE_Y = 100 + 7;  // centre cell of the place's window
const short BEST_X = 190, BEST_Y = -25;     // the "New best!" burst over the top-right corner

}  // namespace

void Summary::open(Render& render, int minutes, int seconds, short place) {
    shown = true;
    rankPlace = place;
    render.prendeTela();
    render.desenhaImagemTrans(SLOT_SUMMARY_CARD, X, Y);
    render.drawTwoDigits(minutes, 50, X + TIME_X, Y + TIME_Y);
    render.desenhaImagemTrans(70, X + TIME_X + 32, Y + TIME_Y);
    render.drawTwoDigits(seconds, 50, X + TIME_X + 48, Y + TIME_Y);
    if (place > 0) {
        render.desenhaImagemTrans(SLOT_SUMMARY_PLACE, X + LINE_X, Y + LINE_Y);
        if (place < 10) render.desenhaImagemTrans(50 + place, X + PLACE_X, Y + PLACE_Y);
        else render.drawTwoDigits(place, 50, X + PLACE_X - 8, Y + PLACE_Y);
    } else {
        render.desenhaImagemTrans(SLOT_SUMMARY_UNRANKED, X + LINE_X, Y + LINE_Y);
    }
    if (place == 1) render.desenhaImagemTrans(SLOT_SUMMARY_BEST, X + BEST_X, Y + BEST_Y);
    render.soltaTela();
}

void Summary::frame(const Input& input) {
    if (input.clicked() || input.pressed(Action::Confirm) || input.pressed(Action::Back)) shown = false;
}
