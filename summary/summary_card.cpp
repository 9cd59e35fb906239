#include "summary/summary_card.h"

#include "display/rect.h"

namespace {

// Cells on the card, from its top-left corner.
const short FACE_X = 14, FACE_Y = 10;               // the player's face, happy or sad
const short WHY_X = 20, WHY_Y = 54;                 // "Time's up!" or "You ended the game"
const short TIME_X = 208, TIME_Y = 89;              // mm:ss, first digit set
const short PLACE_X = 20 + 195, PLACE_Y = 124 + 7;  // centre cell of the place's window
const short HAPPY_FACE = 10, SAD_FACE = 11;

// Puts back the card's own picture under a cell of it before it is drawn again.
void wipe(Render& render, short slot, short x, short y) {
    if (const BITMAP* b = render.imagem(slot))
        render.drawPart(SLOT_SUMMARY_CARD, x, y, SummaryCard::X + x, SummaryCard::Y + y, b->w, b->h);
}

void drawLine(Render& render, const Summary& summary) {
    const RankingEntry& entry = summary.entry();
    const short x = SummaryCard::X, y = SummaryCard::Y;
    // No news is not bad news: while saving the face stays happy.
    render.desenhaImagemTrans(summary.place() > 0 || entry.saving ? HAPPY_FACE : SAD_FACE, x + FACE_X, y + FACE_Y);
    const short lineX = x + SummaryCard::LINE_X, lineY = y + SummaryCard::LINE_Y;
    if (entry.saving) {
        render.desenhaImagemTrans(SLOT_SUMMARY_SAVING, lineX, lineY);
    } else if (!entry.saved) {
        render.desenhaImagemTrans(SLOT_SUMMARY_NOT_SAVED, lineX, lineY);
    } else if (entry.place > 0) {
        render.desenhaImagemTrans(SLOT_SUMMARY_PLACE, lineX, lineY);
        if (entry.place < 10) render.desenhaImagemTrans(50 + entry.place, x + PLACE_X, y + PLACE_Y);
        else render.drawTwoDigits(entry.place, 50, x + PLACE_X - 8, y + PLACE_Y);
        if (entry.newBest) render.desenhaImagemTrans(SLOT_SUMMARY_BEST, x + SummaryCard::BEST_X, y + SummaryCard::BEST_Y);
    } else {
        render.desenhaImagemTrans(SLOT_SUMMARY_UNRANKED, lineX, lineY);
    }
}

}  // namespace

void SummaryCard::draw(Render& render, const Summary& summary) {
    const LevelResult& level = summary.level();
    render.prendeTela();
    render.desenhaImagemTrans(SLOT_SUMMARY_CARD, X, Y);
    render.desenhaImagemTrans(summary.timeUp() ? SLOT_SUMMARY_TIME_UP : SLOT_SUMMARY_ENDED, X + WHY_X, Y + WHY_Y);
    render.drawTime(summary.minutes(), summary.seconds(), 50, 70, X + TIME_X, Y + TIME_Y);
    drawLine(render, summary);
    render.desenhaImagemTrans(SLOT_SUMMARY_BEST_LABEL, X + LEVEL_X, Y + LEVEL_Y);
    render.drawTime(level.best.minutes, level.best.seconds, 50, 70, X + LEVEL_TIME_X, Y + LEVEL_TIME_Y);
    if (level.record.newBest) render.desenhaImagemTrans(SLOT_SUMMARY_LEVEL_BEST, X + NOTE_X, Y + NOTE_Y);
    if (!level.record.hadBest) render.desenhaImagemTrans(SLOT_SUMMARY_FIRST_GAME, X + NOTE_X, Y + NOTE_Y);
    render.soltaTela();
    drawButtons(render, summary.focus());
}

void SummaryCard::drawFate(Render& render, const Summary& summary) {
    render.prendeTela();
    wipe(render, HAPPY_FACE, FACE_X, FACE_Y);
    wipe(render, SLOT_SUMMARY_SAVING, LINE_X, LINE_Y);
    drawLine(render, summary);
    render.soltaTela();
}

void SummaryCard::drawButtons(Render& render, int focus) {
    render.prendeTela();
    for (int b = 0; b < 2; ++b)
        render.desenhaImagem(b == Summary::PLAY_AGAIN ? SLOT_SUMMARY_PLAY_AGAIN : SLOT_SUMMARY_MENU, X + BUTTON_X[b],
                             Y + BUTTON_Y);
    render.desenhaImagemTrans(SLOT_SUMMARY_FOCUS, X + BUTTON_X[focus], Y + BUTTON_Y);
    render.soltaTela();
}

int SummaryCard::buttonAt(const Render& render, int x, int y) {
    for (int b = 0; b < 2; ++b) {
        const BITMAP* picture = render.imagem(b == Summary::PLAY_AGAIN ? SLOT_SUMMARY_PLAY_AGAIN : SLOT_SUMMARY_MENU);
        if (picture && Rect{X + BUTTON_X[b], Y + BUTTON_Y, picture->w, picture->h}.holds(x, y)) return b;
    }
    return -1;
}
