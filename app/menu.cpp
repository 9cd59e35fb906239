#include "app/menu.h"

#include "display/rect.h"

namespace {

// New game, ranking, help, credits: tried in this order, the first one holding
// the mouse wins (help and credits overlap for 390 < y < 414).
const Rect leftButtons[4] = {{0, 140, 230, 74}, {0, 240, 230, 74}, {0, 340, 230, 74}, {0, 390, 230, 74}};
const Rect exitButton = {480, 390, 160, 74};
const Rect levelButtons[3] = {{300, 0, 50, 50}, {300, 50, 50, 50}, {300, 100, 50, 50}};
const Rect nextPage = {610, 185, 20, 40};

// One step up or down a list of n, wrapping round.
short step(short current, int delta, short n) { return static_cast<short>((current + delta + n) % n); }

}  // namespace

// A panel's button opens its panel (closing the others) or closes it again;
// Exit ends the menu.
void MainMenu::press(short button, MenuChoice& choice, Audio& audio) {
    audio.play(Effect::Click);
    if (button == EXIT) {
        choice.what = MenuChoice::Exit;
        return;
    }
    bool* panels[4] = {&state.nJogo, &state.rankin, &state.ajuda, &state.creditos};
    const bool opens = !*panels[button];
    for (bool* p : panels) *p = false;
    *panels[button] = opens;
    state.levelFocus = 0;
}

MenuChoice MainMenu::update(const Input& input, Audio& audio) {
    MenuChoice choice;
    const int mx = input.mouseX(), my = input.mouseY();
    // The frame the left button goes down, over the button it goes down on:
    // holding it, or dragging it onto another button, does nothing more. A
    // pointer held still leaves the focus where the keys put it.
    const bool click = input.clicked();
    const bool follows = click || input.pointerMoved();
    auto chooseLevel = [&](short n) {
        audio.play(Effect::Click);
        choice.what = MenuChoice::Play;
        choice.level = n + 1;
    };

    for (short b = 0; b < 4; ++b) {
        if (!leftButtons[b].holds(mx, my)) continue;
        if (follows) state.escolha = b;
        if (click) press(b, choice, audio);
        break;
    }
    if (exitButton.holds(mx, my)) {
        if (follows) state.escolha = EXIT;
        if (click) press(EXIT, choice, audio);
    }
    if (state.nJogo) {
        for (short n = 0; n < 3; ++n)
            if (click && levelButtons[n].holds(mx, my)) chooseLevel(n);
    }
    if (state.ajuda && click && nextPage.holds(mx, my)) {
        audio.play(Effect::Page);
        state.ajudaPagina = step(state.ajudaPagina, 1, HELP_PAGES);
    }

    const int vertical = input.pressed(Action::Down) - input.pressed(Action::Up);
    if (state.nJogo) {
        // The chooser's buttons stand in a column: the arrows go over them.
        state.levelFocus = step(state.levelFocus, vertical, 3);
        const Action keys[3] = {Action::Level1, Action::Level2, Action::Level3};
        for (short n = 0; n < 3; ++n)
            if (input.pressed(keys[n])) chooseLevel(n);
        if (input.pressed(Action::Confirm)) chooseLevel(state.levelFocus);
    } else {
        state.escolha = step(state.escolha, vertical, 5);
        if (input.pressed(Action::Confirm)) press(state.escolha, choice, audio);
    }
    if (state.ajuda) {
        const int page = input.pressed(Action::Right) - input.pressed(Action::Left);
        if (page != 0) {
            audio.play(Effect::Page);
            state.ajudaPagina = step(state.ajudaPagina, page, HELP_PAGES);
        }
    }
    // Escape closes the open panel; with none open it goes to Exit, and on
    // Exit acts as Exit does: twice ends the program.
    if (input.pressed(Action::Back)) {
        if (state.nJogo || state.rankin || state.ajuda || state.creditos) {
            state.nJogo = state.rankin = state.ajuda = state.creditos = false;
        } else if (state.escolha == EXIT) {
            press(EXIT, choice, audio);
        } else {
            state.escolha = EXIT;
        }
    }
    return choice;
}
