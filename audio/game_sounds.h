// What the game sounds like: what happened in an update, the end of a game
// and the mute key, turned into calls of `Audio`. The simulation never
// knows about any of it; the game hands its report over after each update.
#pragma once

#include "audio/audio.h"
#include "input/input.h"
#include "level/update_report.h"
#include "settings/settings.h"

#include <string>

// One effect for each thing the update reports (several mix).
void playReport(const UpdateReport& report, Audio& audio);

// The game-over sound, then the fanfare when the result took a place in
// the ranking (place 1 is the longest kept, 0 none), then the menu theme.
void playGameEnd(Audio& audio, short rankingPlace);

// M pressed this frame: mutes or unmutes everything and keeps the choice in
// the settings file.
void muteKey(const Input& input, Audio& audio, SettingsSaver& settings);
