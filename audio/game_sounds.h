// What the game sounds like: what happened in an update and the end of a
// game, turned into calls of `Audio`. The simulation never
// knows about any of it; the game hands its report over after each update.
#pragma once

#include "audio/audio.h"
#include "level/update_report.h"

// One effect for each thing the update reports (several mix).
void playReport(const UpdateReport& report, Audio& audio);

// The game-over sound, then the fanfare when the result took a place in
// the ranking (place 1 is the longest kept, 0 none), then the menu theme.
void playGameEnd(Audio& audio, short rankingPlace);
