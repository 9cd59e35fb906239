#include "render/render.h"

#include "display/dirty_rects.h"
#include "display/window.h"
#include "render/jpeg_loader.h"
#include "render/picture_limits.h"
#include "render/png_loader.h"
#include "storage/data_folder.h"
#include "storage/messages.h"
#include "storage/regular_file.h"

#include <algorithm>
#include <cstdlib>

namespace {

void acrescentaFaixa(std::vector<ArquivoImagem>& t, int slot, int n, const std::string& pasta,
                     const std::string& prefixo, const std::string& sufixo, bool png) {
    for (int i = 0; i < n; ++i) {
        char numero[3] = {char('0' + i / 10), char('0' + i % 10), 0};
        t.push_back({short(slot + i), pasta + prefixo + numero + sufixo, png});
    }
}

std::vector<ArquivoImagem> buildTable() {
    const std::string menu = "Data/Imagens/Menu/";
    const std::string pers = "Data/Imagens/Personagens/";
    const std::string niveis = "Data/Imagens/Niveis/";
    const std::string itens = "Data/Imagens/Itens/";
    const std::string numeros = "Data/Imagens/numeros/";
    const std::string relogio = "Data/Imagens/Relogio/";
    std::vector<ArquivoImagem> t = {
        {0, menu + "LMBanner.png", true},        {1, menu + "BNovoJogo.png", true},
        {2, menu + "BRanking.png", true},        {3, menu + "BAjuda.png", true},
        {4, menu + "BCreditos.png", true},       {5, menu + "BSair.png", true},
        {6, menu + "escolhaFeliz.png", true},    {7, menu + "escolhaTriste.png", true},
        {8, menu + "rank.png", true},            {9, "Data/Imagens/paused.png", true},
        {10, pers + "smile.png", true},
        {11, pers + "smileTriste.png", true},    {12, pers + "coco.png", true},
        {13, pers + "esposa.png", true},         {14, pers + "gangster.png", true},
        {15, pers + "ladrao.png", true},         {20, niveis + "01.jpg", false},
        {21, niveis + "02.jpg", false},          {22, niveis + "03.jpg", false},
        {25, "Data/Imagens/interface.png", true}, {26, menu + "ajuda01.jpg", false},
        {27, menu + "ajuda02.jpg", false},       {28, menu + "ajuda03.jpg", false},
        {29, menu + "creditos.jpg", false},      {30, itens + "iTV.png", true},
        {31, itens + "iDinheiro.png", true},     {32, itens + "iBola.png", true},
        {33, itens + "iPlayboy.png", true},      {34, itens + "iCerveja.png", true},
        {40, "Data/B01.jpg", false},             {41, "Data/B02.jpg", false},
        {42, "Data/B03.jpg", false},             {75, menu + "ajuda04.jpg", false},
    };
    acrescentaFaixa(t, 50, 10, numeros, "", ".png", true);
    acrescentaFaixa(t, 60, 10, numeros, "", "v.png", true);
    t.push_back({70, numeros + "P.png", true});
    t.push_back({71, numeros + "Pv.png", true});
    acrescentaFaixa(t, 80, 8, relogio, "yClock", ".png", true);
    acrescentaFaixa(t, 90, 8, relogio, "rClock", ".png", true);
    t.push_back({99, "Data/Imagens/black.jpg", false});
    const std::string resumo = "Data/Imagens/Summary/";
    t.push_back({SLOT_SUMMARY_CARD, resumo + "card.png", true});
    t.push_back({SLOT_SUMMARY_PLACE, resumo + "place.png", true});
    t.push_back({SLOT_SUMMARY_UNRANKED, resumo + "unranked.png", true});
    t.push_back({SLOT_SUMMARY_BEST, resumo + "best.png", true});
    t.push_back({SLOT_SUMMARY_TIME_UP, resumo + "time_up.png", true});
    t.push_back({SLOT_SUMMARY_ENDED, resumo + "ended.png", true});
    t.push_back({SLOT_SUMMARY_NOT_SAVED, resumo + "not_saved.png", true});
    t.push_back({SLOT_MUTE_SIGN, "Data/Imagens/muted.png", true});
    t.push_back({SLOT_CHOOSER_TITLE, menu + "choose_level.png", true});
    const std::string popups = "Data/Imagens/Popups/";
    t.push_back({SLOT_POPUP_PLUS, popups + "plus.png", true});
    t.push_back({SLOT_POPUP_MINUS, popups + "minus.png", true});
    t.push_back({SLOT_POPUP_BACK, popups + "back.png", true});
    for (short d = 0; d < 10; ++d) t.push_back({slotPopupDigit(d), popups + char('0' + d) + ".png", true});
    t.push_back({SLOT_SUMMARY_SAVING, resumo + "saving.png", true});
    t.push_back({SLOT_SUMMARY_PLAY_AGAIN, resumo + "play_again.png", true});
    t.push_back({SLOT_SUMMARY_MENU, resumo + "menu.png", true});
    t.push_back({SLOT_SUMMARY_FOCUS, resumo + "focus.png", true});
    t.push_back({SLOT_SUMMARY_LEVEL_BEST, resumo + "level_best.png", true});
    t.push_back({SLOT_SUMMARY_FIRST_GAME, resumo + "first_game.png", true});
    t.push_back({SLOT_SUMMARY_BEST_LABEL, resumo + "best_label.png", true});
    const char* const levels[] = {"park", "pool", "plaza"};
    for (short n = 0; n < 3; ++n) t.push_back({short(SLOT_LEVEL_NAME + n), menu + "level_" + levels[n] + ".png", true});
    t.push_back({SLOT_NO_BEST, menu + "no_best.png", true});
    t.push_back({SLOT_READY, "Data/Imagens/CountIn/ready.png", true});
    t.push_back({SLOT_GO, "Data/Imagens/CountIn/go.png", true});
    const std::string marks = "Data/Imagens/Marks/";
    acrescentaFaixa(t, SLOT_MARK_WALL, 3, marks, "wall", ".png", true);
    acrescentaFaixa(t, SLOT_MARK_HIT, 3, marks, "hit", ".png", true);
    acrescentaFaixa(t, SLOT_MARK_ITEM, 3, marks, "item", ".png", true);
    const std::string pause = "Data/Imagens/Pause/";
    t.push_back({SLOT_PAUSE_RESUME_KEY, pause + "resume_key.png", true});
    t.push_back({SLOT_PAUSE_RESUME_PAD, pause + "resume_pad.png", true});
    t.push_back({SLOT_PAUSE_PAD_LOST, pause + "pad_lost.png", true});
    acrescentaFaixa(t, SLOT_HEADING, 16, marks, "heading", ".png", true);
    // Loaded in slot order.
    std::sort(t.begin(), t.end(), [](const ArquivoImagem& a, const ArquivoImagem& b) { return a.slot < b.slot; });
    return t;
}

// What went wrong with a picture that did not load: what stands in its
// place, when that is no file of a picture's size; else its contents.
std::string problem(const ArquivoImagem& a) {
    std::string bytes, reason;
    if (readRegularFile(dataPath(a.caminho), bytes, MAX_PICTURE_BYTES, &reason)) return "is damaged";
    return isNotFound(reason) ? "not found" : reason;
}

BITMAP* carrega(const ArquivoImagem& a) {
    const std::string path = dataPath(a.caminho);
    return a.png ? loadPng(path) : loadJpeg(path);
}

}  // namespace

Render::Render() {
    for (BITMAP*& b : imagens) b = nullptr;
}

// Allegro is still installed here when start-up failed; after a normal run
// Jogo::alClose has already freed everything.
Render::~Render() { liberaImagens(); }

void Render::liberaImagens() {
    for (BITMAP*& b : imagens) {
        if (b) destroy_bitmap(b);
        b = nullptr;
    }
}

const std::vector<ArquivoImagem>& Render::tabela() {
    static const std::vector<ArquivoImagem> t = buildTable();
    return t;
}

std::string Render::mensagemFalta(const ArquivoImagem& arquivo) {
    return unusableFileMessage(dataPath(arquivo.caminho), problem(arquivo));
}

bool Render::iniciaTela(const WindowRequest& window) {
    if (!openWindow(window)) {
        missing = windowProblem();
        reportProblem(missing);
        return false;
    }
    if (!carregaAte(SLOTS_MENU)) return false;
    showPointer();
    return true;
}

bool Render::carregaImagens() { return carregaAte(SLOTS); }

// The table is in slot order, so loading up to a slot and then the rest keeps
// the order of the files, and of the message naming the first that fails.
bool Render::carregaAte(short slotLimite) {
    set_alpha_blender();
    for (const ArquivoImagem& a : tabela()) {
        if (a.slot >= slotLimite) break;
        if (imagens[a.slot]) continue;
        imagens[a.slot] = carrega(a);
        if (!imagens[a.slot]) {
            missing = mensagemFalta(a);
            reportProblem(missing);
            return false;
        }
    }
    return true;
}

BITMAP* Render::imagem(short slot) const {
    return slot >= 0 && slot < SLOTS ? imagens[slot] : nullptr;
}

void Render::prendeTela() { acquire_screen(); }
void Render::soltaTela() { release_screen(); }
void Render::limpaTela() {
    clear_bitmap(screen);
    pictureChanges().addAll();
}

// Every drawing reports its rectangle, so only what changed goes to the window.
// An unfilled slot is never passed by the game; if it were, nothing is drawn.
void Render::limpaPersonagem(short img, short x, short y, short xT, short yT) {
    if (BITMAP* b = imagem(img)) {
        blit(b, screen, x, y, x, y, xT, yT);
        pictureChanges().add(x, y, xT, yT);
    }
}

void Render::drawPart(short img, short fromX, short fromY, short x, short y, short w, short h) {
    if (BITMAP* b = imagem(img)) {
        blit(b, screen, fromX, fromY, x, y, w, h);
        pictureChanges().add(x, y, w, h);
    }
}

void Render::desenhaImagem(short img, short x, short y) {
    if (BITMAP* b = imagem(img)) {
        draw_sprite(screen, b, x, y);
        pictureChanges().add(x, y, b->w, b->h);
    }
}

void Render::desenhaImagemTrans(short img, short x, short y) {
    if (BITMAP* b = imagem(img)) {
        draw_trans_sprite(screen, b, x, y);
        pictureChanges().add(x, y, b->w, b->h);
    }
}

// A penalty in the last frame, or a damaged rank file, can give a value
// outside 0..99: it shows as 00 or 99.
void Render::drawTwoDigits(int value, short firstSlot, short x, short y) {
    value = std::clamp(value, 0, 99);
    desenhaImagemTrans(firstSlot + value / 10, x, y);
    desenhaImagemTrans(firstSlot + value % 10, x + 16, y);
}

void Render::drawTime(int minutes, int seconds, short firstSlot, short separator, short x, short y) {
    drawTwoDigits(minutes, firstSlot, x, y);
    desenhaImagemTrans(separator, x + 32, y);
    drawTwoDigits(seconds, firstSlot, x + 48, y);
}

// The window system's pointer, never part of the picture.
void Render::escondeMouse() { hidePointer(); }
void Render::mostraMouse() { showPointer(); }
