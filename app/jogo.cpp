#include "app/jogo.h"

#include "app/global_actions.h"
#include "app/message_box.h"
#include "app/quit_request.h"
#include "app/start_allegro.h"
#include "audio/game_sounds.h"
#include "display/viewport.h"
#include "display/window.h"
#include "level/level_file.h"
#include "pause/pause.h"
#include "pause/pause_card.h"
#include "popups/mute_sign.h"
#include "settings/settings.h"
#include "storage/data_folder.h"
#include "storage/messages.h"
#include "summary/summary_card.h"

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
    for (const std::string& p : problems) reportProblem(std::string(SETTINGS_FILE) + ": " + p);
    input.configure(keys, s.pad);
    input.startGamepad(s.padDevice);
}

}  // namespace

Jogo::Jogo() : audio(&speakers), nr(1), fim(false) { input.setPointerMapping(pointerToPicture); }

bool Jogo::alInit(const Options& options) {
    nameWindow();
    // Without a usable system (no display at all) the input drivers would crash.
    if (!startAllegro()) {
        showMessageBox("Unable to start Allegro: is there a display?\n");
        return false;
    }
    // The game cannot be played without them; no mouse at all is -1.
    if (install_keyboard() != 0 || install_mouse() < 0 || install_timer() != 0) {
        showMessageBox("Unable to start the keyboard, the mouse or the timer\n");
        return false;
    }
    // Ours replace Allegro's for the polite signals from here on, so even a
    // start-up cut short ends quietly.
    installQuitHandlers();
    installDisplayLossHandler();
    const Settings stored = loadSettings();
    chooseDataFolder();
    // The menu shows as soon as its own pictures are in; the rest loads
    // behind it, before any input is read.
    bool loaded = render.iniciaTela(chooseWindow(options, stored));
    if (loaded) {
        openMenu();
        menuScreen.draw(render, menu.current(), table.table(), table.levelBests(), audio.muted());
        presentPicture();
        loaded = render.carregaImagens();
    }
    if (!loaded) {
        if (!render.failure().empty()) showMessageBox(render.failure());
        return false;
    }
    configureInput(input, stored);
    // Sound comes last and may fail: the game then plays on silently.
    speakers.start(dataPath(SOUND_FOLDER));
    audio.setMuted(options.mute || stored.mute);
    return true;
}

// The images go first: destroying a bitmap needs Allegro still installed.
void Jogo::alClose() {
    settings.finish();
    table.finish();
    speakers.stop();
    input.stop();
    render.liberaImagens();
    closeWindow();
    allegro_exit();
}

void Jogo::gameLoop() {
    // Whatever is down as the loop starts went down before the menu showed.
    input.forgetHeld();
    audio.music(Theme::Menu);
    while (screen != GameScreen::Exit) {
        frame();
        waitFrame();
    }
}

void Jogo::frame() {
    const bool playing =
        screen == GameScreen::CountIn || screen == GameScreen::Play || screen == GameScreen::Paused;
    // A request to quit ends a game as Escape does, so its result counts,
    // then the program as the exit button does.
    if (quitRequested()) {
        if (playing) finishGame();
        screen = GameScreen::Exit;
        return;
    }
    // A save that met another process's lock goes on on every screen.
    if (table.step()) saveSettled();
    input.poll(playing ? Screen::Play : Screen::Menu);
    handleGlobalActions(input, audio, settings);
    // Paused or on the summary the play screen draws nothing more: its sign
    // follows M at once all the same.
    if (screen != GameScreen::Menu && input.pressed(Action::Mute))
        drawMuteSign(render, audio.muted(), MuteSignPlace::PanelBand);
    GameScreen next = screen;
    switch (screen) {
        case GameScreen::Menu: next = gameMenu(); break;
        case GameScreen::CountIn:
        case GameScreen::Play:
        case GameScreen::Paused: next = playFrame(); break;
        case GameScreen::Summary: next = summaryFrame(); break;
        case GameScreen::Exit: break;
    }
    // After the frame's actions are taken: the press that changed the screen
    // is held, not new, on the next one.
    if (next != screen) enter(next);
}

void Jogo::enter(GameScreen next) {
    const GameScreen from = screen;
    screen = next;
    switch (next) {
        case GameScreen::Menu:
            openMenu();
            audio.music(Theme::Menu);
            break;
        case GameScreen::CountIn:
            // A resumed game counts on from where it stopped; playFrame took the card away.
            if (from == GameScreen::Paused) break;
            if (LevelProblem problem; !startGame(problem)) {
                // Say which file and what is wrong with it, and show the menu
                // with the chooser closed: the one showing, or a fresh one
                // after the summary.
                reportAndShow(levelProblemMessage(problem));
                menu.closeChooser();
                screen = GameScreen::Menu;
                if (from == GameScreen::Summary) enter(GameScreen::Menu);
            }
            break;
        case GameScreen::Play: break;  // counted in, or resumed: the game goes on as it was
        case GameScreen::Paused: PauseCard::draw(render, input.padUsedLast(), pausedForPad); break;
        case GameScreen::Summary:
            finishGame();
            SummaryCard::draw(render, summary);
            render.mostraMouse();  // its buttons take a click
            break;
        case GameScreen::Exit: break;
    }
}

void Jogo::openMenu() {
    render.mostraMouse();
    menu.open();
    table.load();
    table.ordenaSelection();
    menuScreen.open(render);
}

bool Jogo::startGame(LevelProblem& problem) {
    popups.clear();
    marks.clear();
    if (!mapa.inicia(nr, &problem)) return false;
    fim = false;
    render.escondeMouse();
    play.drawBackground(render, nr);
    countIn.start();
    audio.music(Theme::Play);
    // A focus lost, or a pad pulled out, in the menu does not pause the new game.
    takeFocusLoss();
    input.takePadLoss();
    return true;
}

GameScreen Jogo::gameMenu() {
    audio.update();
    const MenuChoice choice = menu.update(input, audio);
    menuScreen.draw(render, menu.current(), table.table(), table.levelBests(), audio.muted());
    if (choice.what == MenuChoice::Exit) return GameScreen::Exit;
    if (choice.what == MenuChoice::Play) {
        nr = choice.level;
        return GameScreen::CountIn;
    }
    return GameScreen::Menu;
}

GameScreen Jogo::playFrame() {
    // Escape ends the game on the frame it goes down, before any update.
    if (input.pressed(Action::Back)) return GameScreen::Summary;
    // A pad pulled out pauses the game as losing the focus does.
    const bool padLost = input.takePadLoss();
    const bool paused = screen == GameScreen::Paused;
    const PauseChange change = pauseChange(paused, input.pressed(Action::Pause), takeFocusLoss() || padLost);
    if (change == PauseChange::Pauses || (paused && change == PauseChange::None)) {
        audio.pauseMusic();
        if (change == PauseChange::Pauses) {
            pausedForPad = padLost;
        } else if (padLost) {
            // Pulled out while paused: the card now says so, and names P.
            pausedForPad = true;
            PauseCard::draw(render, input.padUsedLast(), pausedForPad);
        }
        return GameScreen::Paused;
    }
    // The objects come back with this frame's drawing; the card goes now,
    // with the background it covered.
    if (change == PauseChange::Resumes) PauseCard::erase(render, PlayScreen::backgroundSlot(nr));
    audio.resumeMusic();
    capturaComandos();
    // Counting in, the face turns to aim and nothing else changes.
    if (countIn.running()) {
        audio.update();
        desenhaTela();
        countIn.next();
        return countIn.running() ? GameScreen::CountIn : GameScreen::Play;
    }
    atualizaLogica();
    playReport(mapa.report(), audio);
    audio.update();
    popups.note(mapa.report().secondsChange);
    marks.note(mapa.report(), mapa.getSmile().getX(), mapa.getSmile().getY());
    desenhaTela();
    return fim ? GameScreen::Summary : GameScreen::Play;
}

GameScreen Jogo::summaryFrame() {
    audio.update();
    const int focus = summary.focus();
    const SummaryChoice choice = summary.update(input, SummaryCard::buttonAt(render, input.mouseX(), input.mouseY()));
    if (summary.focus() != focus) SummaryCard::drawButtons(render, summary.focus());
    if (choice == SummaryChoice::Stay) return GameScreen::Summary;
    audio.play(Effect::Click);
    // The same level again at once: the ranking is saved, or saving.
    return choice == SummaryChoice::PlayAgain ? GameScreen::CountIn : GameScreen::Menu;
}

void Jogo::saveSettled() {
    if (screen == GameScreen::Summary) {
        summary.settle(table.entry());
        SummaryCard::drawFate(render, summary);
    }
    if (screen == GameScreen::Menu) menuScreen.refresh();
}

void Jogo::finishGame() {
    ordenaSelection();
    const RankingEntry entry = insereRanking();
    const LevelResult level = table.recordLevel(nr, mapa.getMin(), mapa.getSeg());
    audio.resumeMusic();  // a game ended while paused hands on no held music
    playGameEnd(audio, entry.saved ? entry.place : 0);
    // The clocks stay in view above the card as they stood at the end, even
    // when a blink had the red one off, or no frame had drawn them yet.
    popups.stopBlink();
    render.prendeTela();
    play.eraseClocks(render);
    play.drawClocks(render, mapa, false);
    render.soltaTela();
    summary.open(mapa.getMin(), mapa.getSeg(), mapa.report().timeUp, entry, level);
}

void Jogo::capturaComandos() {
    mapa.capturaComando(input.held(Action::TurnClockwise), input.held(Action::TurnAnticlockwise));
}

void Jogo::atualizaLogica() {
    if (mapa.update()) fim = true;
}

void Jogo::desenhaTela() {
    render.prendeTela();
    limpaTela();
    // Under the objects: the face stays in sight while it aims.
    countIn.draw(render);
    play.drawObjects(render, mapa);
    marks.draw(render);
    play.drawClocks(render, mapa, popups.clockHidden());
    popups.draw(render);
    drawMuteSign(render, audio.muted(), MuteSignPlace::PanelBand);
    play.drawSpeedAndIcons(render, mapa, !countIn.running());
    render.soltaTela();
}

void Jogo::limpaTela() {
    play.eraseObjects(render, mapa, nr);
    popups.erase(render, PlayScreen::PANEL_SLOT);
    marks.erase(render, PlayScreen::backgroundSlot(nr));
    countIn.erase(render, PlayScreen::backgroundSlot(nr));
    // The panel cells come last, so they win over an object that overlapped them.
    play.erasePanelCells(render);
}

void Jogo::ordenaSelection() { table.ordenaSelection(); }

RankingEntry Jogo::insereRanking() { return table.insereRanking(mapa.getMin(), mapa.getSeg()); }

void Jogo::ranking() { drawRankingTable(render, table.table()); }

int tempoDeEspera(int periodos) { return periodos < 30 ? 30 - periodos : 0; }

// The frame's picture goes to the window before the wait.
void Jogo::waitFrame() {
    presentPicture();
    const int ms = tempoDeEspera(ticks);
    if (ms > 0) rest(ms);
    ticks = 0;
}
