// The keys that work on every screen, menu, game, pause or summary: M mutes
// or unmutes everything, Alt+Enter turns fullscreen on or off. Each choice
// is kept in the settings file. Called once a frame on every screen.
#pragma once

#include "audio/audio.h"
#include "input/input.h"
#include "settings/settings.h"

void handleGlobalActions(const Input& input, Audio& audio, SettingsSaver& settings);
