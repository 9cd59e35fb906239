// What the game can play, and the one front the rest of the game calls:
// `Audio` decides what is heard (mute, pause, effects not restarting too
// often, sounds that wait their turn) and hands the rest to an AudioOutput,
// the speakers in the game and a recorder in the tests.
#pragma once

#include <vector>

// The order of each enemy's sounds is the order of `Enemy`.
enum class Effect {
    Item, Stolen,
    EntersCoco, EntersEsposa, EntersLadrao, EntersGangster,
    HitCoco, HitEsposa, HitLadrao, HitGangster,
    Wall, SpeedUp, Tick, GameOver, Ranking, Click, Page,
    Count
};
const int EFFECT_COUNT = static_cast<int>(Effect::Count);

enum class Theme { None, Menu, Play };

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Starts the effect, mixed over whatever else plays.
    virtual void startEffect(Effect e) = 0;
    // Starts the loop from its beginning; Theme::None silences the music.
    virtual void playTheme(Theme t) = 0;
    // Stops the music where it is (true) or goes on from there (false).
    virtual void holdTheme(bool held) = 0;
    // Nothing is to be heard until this is called again with false: an
    // output may let its device go meanwhile.
    virtual void setSilent(bool) {}
};

class Audio {
public:
    // An effect asked for again sooner than this is not restarted: a face
    // pressed against a wall bumps every frame but is heard now and then.
    static const long REPEAT_MS = 150;

    explicit Audio(AudioOutput* output);

    // The output the game's sounds go to from now on (a test's recorder).
    void useOutput(AudioOutput* output) { out = output; }
    // Milliseconds from any fixed start; a test gives a clock it moves by hand.
    void useClock(long (*now)()) { clock = now; }

    // Plays the effect now, or after the given milliseconds.
    void play(Effect e, long afterMs = 0);
    // Changes the music, at once (dropping whatever waited) or after the
    // given milliseconds; asking for the theme already playing, or already
    // on its way, changes nothing.
    void music(Theme t, long afterMs = 0);
    void pauseMusic();
    void resumeMusic();
    // Starts what has waited long enough; called once a frame.
    void update();

    // Muted, nothing plays, and what waited is dropped; unmuted, the music
    // that should be playing starts again.
    void setMuted(bool m);
    bool muted() const { return isMuted; }
    Theme theme() const { return current; }

private:
    struct Waiting {
        bool isTheme;
        Effect effect;
        Theme theme;
        long at;
    };
    void startNow(Effect e);
    void switchTheme(Theme t);

    AudioOutput* out;
    long (*clock)();
    bool isMuted = false;
    bool paused = false;
    Theme current = Theme::None;
    long lastStart[EFFECT_COUNT];
    std::vector<Waiting> waiting;
};
