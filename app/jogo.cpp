#include "app/jogo.h"

#include "app/global_actions.h"
#include "app/quit_request.h"
#include "app/start_allegro.h"
#include "audio/game_sounds.h"
#include "display/viewport.h"
#include "display/window.h"
#include "popups/mute_sign.h"
#include "settings/settings.h"
#include "storage/data_folder.h"

#include <cstdio>

volatile int ticks = 0;

void ticker() { ticks = ticks + 1; }
END_OF_FUNCTION(ticker)

namespace {

// The mouse as the game sees it: in picture pixels, through the window's
// magnification and border.
bool pointerToPicture(int windowX, int windowY, int& x, int& y) {
    return toPicture(currentViewport(), windowX, windowY, x, y);
}

// The player's keys and pad from the settings; a mistake in [keys] is said
// on stderr and that entry keeps its default.
void configureInput(Input& input, const Settings& s) {
    const std::string keyTexts[] = {s.turnClockwise, s.turnAnticlockwise, s.pauseKeys, s.muteKeys};
    std::vector<std::string> problems;
    const KeyBindings keys = parseKeyBindings(keyTexts, &problems);
    for (const std::string& p : problems) std::fprintf(stderr, "lumo: %s: %s\n", SETTINGS_FILE, p.c_str());
    input.configure(keys, s.pad);
    input.startGamepad(s.padDevice);
}

}  // namespace

// The table starts at zeros so a missing rank file shows 00:00 rows.
Jogo::Jogo() : audio(&speakers), fim(false), menu(false), aux2{}, nr(1), rel1(0) {
    input.setPointerMapping(pointerToPicture);
}

bool Jogo::alInit(const Options& options) {
    nameWindow();
    // Without a usable system (no display at all) the input drivers would crash.
    if (!startAllegro()) {
        allegro_message("Unable to start Allegro: is there a display?\n");
        return false;
    }
    // The game cannot be played without them; no mouse at all is -1.
    if (install_keyboard() != 0 || install_mouse() < 0 || install_timer() != 0) {
        allegro_message("Unable to start the keyboard, the mouse or the timer\n");
        return false;
    }
    // Ours replace Allegro's for the polite signals from here on, so even a
    // start-up cut short ends quietly.
    installQuitHandlers();
    installDisplayLossHandler();
    const Settings stored = loadSettings();
    chooseDataFolder();
    if (!render.iniciaTela(chooseWindow(options, stored))) return false;
    // The menu shows as soon as its own pictures are in; the rest loads
    // behind it, before any input is read.
    mostraPrimeiroQuadro();
    if (!render.carregaImagens()) return false;
    configureInput(input, stored);
    // Sound comes last and may fail: the game then plays on silently.
    speakers.start(dataPath(SOUND_FOLDER));
    audio.setMuted(options.mute || stored.mute);
    return true;
}

// The images go first: destroying a bitmap needs Allegro still installed.
void Jogo::alClose() {
    settings.finish();
    speakers.stop();
    input.stop();
    render.liberaImagens();
    closeWindow();
    allegro_exit();
}

bool Jogo::iniciaJogo(short n) {
    nr = n;
    popups.clear();
    marks.clear();
    headingSpot.forget();
    return mapa.inicia(nr);
}

void Jogo::gameLoop() {
    desenhaFundo();
    audio.music(Theme::Play);
    // The click that chose the level, or a key held from the menu, is old.
    input.forgetHeld();
    pause.reset();
    // A focus lost, or a pad pulled out, in the menu does not pause the new game.
    takeFocusLoss();
    input.takePadLoss();
    while (!fim && !quitRequested()) {
        quadroJogo();
        esperaQuadro();
    }
    finishGame();
    // A request to quit skips the summary: the result is already kept.
    while (summary.isOpen() && !quitRequested()) {
        esperaQuadro();
        summaryFrame();
    }
}

void Jogo::finishGame() {
    ordenaSelection();
    const RankingEntry entry = insereRanking();
    audio.resumeMusic();  // a game ended while paused hands on no held music
    playGameEnd(audio, entry.saved ? entry.place : 0);
    // The key or click that ended the game does not also close the summary.
    input.forgetHeld();
    // The clocks stay in view above the card as they stood at the end, even
    // when a blink had the red one off, or no frame had drawn them yet.
    popups.stopBlink();
    render.prendeTela();
    eraseClocks();
    drawClocks();
    render.soltaTela();
    summary.open(render, mapa.getMin(), mapa.getSeg(), mapa.report().timeUp, entry);
}

void Jogo::leEntrada(Screen screen) {
    input.poll(screen);
    handleGlobalActions(input, audio, settings);
    // Paused or on the summary the play screen draws nothing more: its sign
    // follows M at once all the same.
    if (!menu && input.pressed(Action::Mute)) drawMuteSign(render, audio.muted(), MuteSignPlace::PanelBand);
}

void Jogo::summaryFrame() {
    leEntrada(Screen::Menu);
    audio.update();
    summary.frame(input);
}

void Jogo::quadroJogo() {
    leEntrada(Screen::Play);
    // Escape ends the game on the frame it goes down, before any update.
    if (input.pressed(Action::Back)) {
        fim = true;
        return;
    }
    // A pad pulled out pauses the game as losing the focus does.
    const bool padLost = input.takePadLoss();
    if (pause.frame(input, takeFocusLoss() || padLost, render, nr + 19)) {
        audio.pauseMusic();
        return;
    }
    audio.resumeMusic();
    capturaComandos();
    atualizaLogica();
    playReport(mapa.report(), audio);
    audio.update();
    popups.note(mapa.report().secondsChange);
    marks.note(mapa.report(), mapa.getSmile().getX(), mapa.getSmile().getY());
    desenhaTela();
}

void Jogo::capturaComandos() {
    mapa.capturaComando(input.held(Action::TurnClockwise), input.held(Action::TurnAnticlockwise));
}

void Jogo::atualizaLogica() {
    if (mapa.update()) fim = true;
}

int tempoDeEspera(int periodos) { return periodos < 30 ? 30 - periodos : 0; }

// The frame's picture goes to the window before the wait.
void Jogo::esperaQuadro() {
    presentPicture();
    int espera = tempoDeEspera(ticks);
    if (espera > 0) rest(espera);
    ticks = 0;
}
