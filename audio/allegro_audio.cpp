#include "audio/allegro_audio.h"

#include "audio/sound_files.h"

#include <alsa/asoundlib.h>

const char* const SOUND_FOLDER = "Data/Sounds/";

namespace {

const char* const EFFECT_NAMES[EFFECT_COUNT] = {
    "item",      "stolen",     "enters_coco", "enters_esposa", "enters_ladrao", "enters_gangster",
    "hit_coco",  "hit_esposa", "hit_ladrao",  "hit_gangster",  "wall",          "speed_up",
    "tick",      "game_over",  "ranking",     "click",         "page"};

// Room for the music and a handful of effects at once.
const int VOICES = 16;

// With no sound card ALSA explains at length on stderr why it cannot open
// one; the game plays on silently, so it has nothing to say.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

std::string AllegroAudio::effectFile(Effect e) { return std::string(EFFECT_NAMES[static_cast<int>(e)]) + ".wav"; }

std::string AllegroAudio::themeFile(Theme t) { return t == Theme::Play ? "play_theme.wav" : "menu_theme.wav"; }

bool AllegroAudio::installDriver() {
    snd_lib_error_set_handler(quietAlsa);
    reserve_voices(VOICES, -1);
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) return false;
    // Success may mean Allegro's "no sound" driver: nothing would be heard.
    if (digi_card == DIGI_NONE || !digi_driver || digi_driver->id == DIGI_NONE) {
        remove_sound();
        return false;
    }
    // Every voice at full scale: the sound files are made with the room the
    // mix needs (an effect over the music stays under -1 dBFS), where
    // Allegro's default would halve everything.
    set_volume_per_voice(0);
    return true;
}

bool AllegroAudio::start(const std::string& soundFolder) {
    if (!installDriver()) return false;
    folder = soundFolder;
    for (int e = 0; e < EFFECT_COUNT; ++e) effects[e] = loadEffectFile(folder + effectFile(static_cast<Effect>(e)));
    on = true;
    return true;
}

void AllegroAudio::stop() {
    if (!on) return;
    playTheme(Theme::None);
    if (!silent) remove_sound();
    silent = false;
    auto release = [](SAMPLE*& s) {
        if (s) destroy_sample(s);
        s = nullptr;
    };
    for (SAMPLE*& s : effects) release(s);
    for (SAMPLE*& s : themes) release(s);
    themeRead[0] = themeRead[1] = false;
    on = false;
}

void AllegroAudio::setSilent(bool s) {
    if (!on || s == silent) return;
    if (s) {
        playTheme(Theme::None);
        remove_sound();
        silent = true;
        return;
    }
    // A device taken meanwhile by another program: the game plays on silently.
    silent = !installDriver();
}

void AllegroAudio::startEffect(Effect e) {
    SAMPLE* s = on && !silent ? effects[static_cast<int>(e)] : nullptr;
    if (s) play_sample(s, 255, 128, 1000, 0);
}

void AllegroAudio::playTheme(Theme t) {
    if (!on || silent) return;
    if (voice >= 0) deallocate_voice(voice);
    voice = -1;
    if (t == Theme::None) return;
    const int k = t == Theme::Play ? 1 : 0;
    if (!themeRead[k]) {
        themes[k] = loadLoopFile(folder + themeFile(t));
        themeRead[k] = true;
    }
    SAMPLE* s = themes[k];
    if (!s) return;
    voice = allocate_voice(s);
    if (voice < 0) return;
    voice_set_priority(voice, 255);  // effects never take the music's voice
    voice_set_playmode(voice, PLAYMODE_LOOP);
    voice_start(voice);
}

void AllegroAudio::holdTheme(bool held) {
    if (voice < 0) return;
    if (held)
        voice_stop(voice);
    else
        voice_start(voice);
}
