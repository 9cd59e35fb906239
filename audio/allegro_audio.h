// The speakers: Allegro's digital sound, the effects and the two music loops
// from Data/Sounds. Without a sound device everything here does nothing.
#pragma once

#include "audio/audio.h"

#include <allegro.h>

#include <string>

extern const char* const SOUND_FOLDER;

class AllegroAudio : public AudioOutput {
public:
    AllegroAudio() = default;
    AllegroAudio(const AllegroAudio&) = delete;
    AllegroAudio& operator=(const AllegroAudio&) = delete;

    // Installs the sound driver (after the rest of Allegro) and loads the
    // sounds; false, and silent from then on, when there is no sound device.
    bool start(const std::string& folder = SOUND_FOLDER);
    // Frees the sounds and the driver; before allegro_exit.
    void stop();
    bool active() const { return on; }

    void startEffect(Effect e) override;
    void playTheme(Theme t) override;
    void holdTheme(bool held) override;
    // Silent, the driver goes, and with it the mixer that would go on
    // mixing nothing every few milliseconds; it comes back unmuted.
    void setSilent(bool silent) override;

    // The file of each sound in the folder, in the order of Effect and
    // then the menu and play themes.
    static std::string effectFile(Effect e);
    static std::string themeFile(Theme t);

private:
    // Installs Allegro's sound driver with the game's voices and levels;
    // false without a device that plays.
    static bool installDriver();

    bool on = false;       // the sounds are loaded and the driver was found
    bool silent = false;   // the driver let go while muted
    std::string folder;
    SAMPLE* effects[EFFECT_COUNT] = {};
    // Menu, play: each read when first played, which keeps start-up short.
    SAMPLE* themes[2] = {};
    bool themeRead[2] = {};
    int voice = -1;  // the music's
};
