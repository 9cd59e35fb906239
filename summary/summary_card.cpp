#include "summary/summary_card.h"

namespace {

// Cells on the card, from its top-left corner.
const short FACE_X = 14, FACE_Y = 10;               // the player's face, happy or sad
const short WHY_X = 20, WHY_Y = 54;                 // "Time's up!" or "You ended the game"
const short TIME_X = 208, TIME_Y = 89;              // mm:ss, first digit set
const short PLACE_X = 20 + 195, PLACE_Y = 124 + 7;  // centre cell of the place's window
const short HAPPY_FACE = 10, SAD_FACE = 11;

}  // namespace

void SummaryCard::draw(Render& render, const Summary& summary) {
    const RankingEntry& entry = summary.entry();
    const bool ranked = summary.place() > 0;
    render.prendeTela();
    render.desenhaImagemTrans(SLOT_SUMMARY_CARD, X, Y);
    render.desenhaImagemTrans(ranked ? HAPPY_FACE : SAD_FACE, X + FACE_X, Y + FACE_Y);
    render.desenhaImagemTrans(summary.timeUp() ? SLOT_SUMMARY_TIME_UP : SLOT_SUMMARY_ENDED, X + WHY_X, Y + WHY_Y);
    render.drawTime(summary.minutes(), summary.seconds(), 50, 70, X + TIME_X, Y + TIME_Y);
    if (!entry.saved) {
        render.desenhaImagemTrans(SLOT_SUMMARY_NOT_SAVED, X + LINE_X, Y + LINE_Y);
    } else if (ranked) {
        render.desenhaImagemTrans(SLOT_SUMMARY_PLACE, X + LINE_X, Y + LINE_Y);
        if (entry.place < 10) render.desenhaImagemTrans(50 + entry.place, X + PLACE_X, Y + PLACE_Y);
        else render.drawTwoDigits(entry.place, 50, X + PLACE_X - 8, Y + PLACE_Y);
        if (entry.newBest) render.desenhaImagemTrans(SLOT_SUMMARY_BEST, X + BEST_X, Y + BEST_Y);
    } else {
        render.desenhaImagemTrans(SLOT_SUMMARY_UNRANKED, X + LINE_X, Y + LINE_Y);
    }
    render.soltaTela();
}
