// The menu's picture: the five buttons, drawn as the menu opens, then the
// pointer, the open panel and the mute sign, drawn again only when they
// changed. The ranking panel's rows are drawn here too.
#pragma once

#include "app/menu.h"
#include "bests/level_bests.h"
#include "render/render.h"

class MenuScreen {
public:
    // A clear screen with the five buttons; the next draw draws the rest.
    void open(Render& render);
    // The pointer, the panel and the mute sign for `state`; nothing when
    // none of them changed since the last draw, so nothing is sent.
    void draw(Render& render, const MenuState& state, const short ranking[20], const LevelBests& bests, bool muted);
    // The ranking or the bests changed (a waiting save settled): the next draw draws all.
    void refresh() { any = false; }

private:
    void drawAll(Render& render, const MenuState& state, const short ranking[20], const LevelBests& bests, bool muted);

    MenuState drawn;  // the state the picture shows
    bool any = false;
    bool mutedDrawn = false;  // whether the picture shows the mute sign
};

// The ranking panel's ten rows, lowest first, as mm:ss.
void drawRankingTable(Render& render, const short table[20]);
