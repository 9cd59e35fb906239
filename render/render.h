// The image table and the only drawing operations the game uses: every
// picture reaches Allegro's `screen` through one of these thin wrappers.
#pragma once

#include "display/window.h"

#include <allegro.h>

#include <string>
#include <vector>

// One row of the image table: which slot, which file, which loader.
struct ArquivoImagem {
    short slot;
    std::string caminho;
    bool png;  // loadpng when true, libjpeg-turbo (render/jpeg_loader.h) otherwise
};

// Slots of the game-over summary and of the bonus and penalty pop-ups.
const short SLOT_SUMMARY_CARD = 16;
const short SLOT_SUMMARY_PLACE = 17;
const short SLOT_SUMMARY_UNRANKED = 18;
const short SLOT_SUMMARY_BEST = 19;
const short SLOT_SUMMARY_TIME_UP = 23;
const short SLOT_SUMMARY_ENDED = 24;
const short SLOT_SUMMARY_NOT_SAVED = 37;
const short SLOT_POPUP_PLUS = 35;
const short SLOT_POPUP_MINUS = 36;
const short SLOT_POPUP_BACK = 76;
// The speaker-off sign, and the level chooser's title.
const short SLOT_MUTE_SIGN = 38;
const short SLOT_CHOOSER_TITLE = 39;
// The summary's saving line, its two buttons and the mark on the focused one,
// and the level's best and note.
const short SLOT_SUMMARY_SAVING = 100;
const short SLOT_SUMMARY_PLAY_AGAIN = 101;
const short SLOT_SUMMARY_MENU = 102;
const short SLOT_SUMMARY_FOCUS = 103;
const short SLOT_SUMMARY_LEVEL_BEST = 104;
const short SLOT_SUMMARY_FIRST_GAME = 105;
const short SLOT_SUMMARY_BEST_LABEL = 106;
// The chooser's level names (+ 0..2) and the dash for a level with no best.
const short SLOT_LEVEL_NAME = 107;
const short SLOT_NO_BEST = 110;
// The count-in.
const short SLOT_READY = 111;
const short SLOT_GO = 112;
// Marks at the face, three frames each (+ 0..2).
const short SLOT_MARK_WALL = 114;
const short SLOT_MARK_HIT = 117;
const short SLOT_MARK_ITEM = 120;
// The pause card's lines.
const short SLOT_PAUSE_RESUME_KEY = 123;
const short SLOT_PAUSE_RESUME_PAD = 124;
const short SLOT_PAUSE_PAD_LOST = 125;
// The heading marker pointing at i * 22.5 degrees, clockwise from the right (+ 0..15).
const short SLOT_HEADING = 128;
// The pop-up digits 0 to 6 fill slots 43 to 49, and 7 to 9 slots 72 to 74.
inline short slotPopupDigit(short d) { return d < 7 ? 43 + d : 72 + d - 7; }

class Render {
public:
    static const int SLOTS = 160;

    Render();
    ~Render();

    // The slots below this hold what the menu's first frame shows (the
    // banner, the five buttons, the two pointers): loaded first, so the menu
    // is on screen while the rest loads.
    static const short SLOTS_MENU = 8;

    // Window, blender and the first frame's images; false on failure, with
    // a line on stderr and the same text in failure(), for the game to show.
    bool iniciaTela(const WindowRequest& window = WindowRequest());
    // The images not loaded yet, in slot order, stopping at the first that fails.
    bool carregaImagens();
    // Frees every loaded image; must run while Allegro is still installed.
    void liberaImagens();

    // The message naming the picture that did not load, "" while none failed.
    const std::string& failure() const { return missing; }

    // The files in loading order (paths under the data folder), and the
    // message naming one that did not load: its full path and what to do.
    static const std::vector<ArquivoImagem>& tabela();
    static std::string mensagemFalta(const ArquivoImagem& arquivo);

    BITMAP* imagem(short slot) const;

    void prendeTela();
    void soltaTela();
    void limpaTela();
    void limpaPersonagem(short imagem, short x, short y, short xT, short yT);
    void desenhaImagem(short imagem, short x, short y);
    void desenhaImagemTrans(short imagem, short x, short y);
    // The w x h part of a picture from (fromX, fromY), copied to (x, y) as it is.
    void drawPart(short imagem, short fromX, short fromY, short x, short y, short w, short h);
    // Two digits of the set whose 0 is firstSlot; values outside 0..99 show as 00 or 99.
    void drawTwoDigits(int value, short firstSlot, short x, short y);
    // mm:ss at (x, y): two digits, the separator, two digits, 16 pixels apart.
    void drawTime(int minutes, int seconds, short firstSlot, short separator, short x, short y);
    void escondeMouse();
    void mostraMouse();

private:
    bool carregaAte(short slotLimite);

    BITMAP* imagens[SLOTS];
    std::string missing;

    friend class TestAccess;  // tests lay pictures of their own in slots
};
