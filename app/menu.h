// The main menu's state: five buttons on the left, the focus beside one of
// them, and at most one panel open on the right. Driven by the mouse, the
// keyboard or a pad, one action per press; it returns what the player chose
// and leaves starting the game to the loop. Its picture is app/menu_screen.h's.
#pragma once

#include "audio/audio.h"
#include "input/input.h"

struct MenuState {
    short escolha = 0;  // the button the pointer marks: 0 new game .. 4 exit
    bool nJogo = false;  // level chooser open
    bool rankin = false;
    bool ajuda = false;
    bool creditos = false;
    short ajudaPagina = 0;
    short levelFocus = 0;  // the chooser's level button that Enter starts: 0 to 2

    bool operator==(const MenuState& o) const {
        return escolha == o.escolha && nJogo == o.nJogo && rankin == o.rankin && ajuda == o.ajuda &&
               creditos == o.creditos && ajudaPagina == o.ajudaPagina && levelFocus == o.levelFocus;
    }
};

struct MenuChoice {
    enum What { Stay, Play, Exit } what = Stay;
    short level = 0;  // 1 to 3 when what is Play
};

class MainMenu {
public:
    static const short EXIT = 4;      // the exit button's number
    static const short HELP_PAGES = 4;

    // A fresh stay in the menu: no panel open, the focus on New game.
    void open() { state = MenuState(); }
    // This frame's actions and pointer; clicks and page turns sound through `audio`.
    MenuChoice update(const Input& input, Audio& audio);
    // The level chosen could not be set up: the chooser closes again.
    void closeChooser() { state.nJogo = false; }
    const MenuState& current() const { return state; }

private:
    // A click on a button, or Enter with the focus on it.
    void press(short button, MenuChoice& choice, Audio& audio);

    MenuState state;
};
