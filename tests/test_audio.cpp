// What the game plays and when: the update's report, the end of a game, the
// menu, mute and pause, through a recorder in place of the speakers; the
// sound files, damaged ones included; and the shipped sounds' levels.
#include <gtest/gtest.h>

#include "app/global_actions.h"
#include "tests/jogo_access.h"
#include "audio/allegro_audio.h"
#include "audio/game_sounds.h"
#include "audio/sound_files.h"
#include "settings/settings.h"
#include "tests/test_access.h"
#include "tests/support.h"

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Everything the front hands to the speakers, as short words.
class Recorder : public AudioOutput {
public:
    void startEffect(Effect e) override { heard.push_back("effect " + std::to_string(static_cast<int>(e))); }
    void playTheme(Theme t) override { heard.push_back("theme " + std::to_string(static_cast<int>(t))); }
    void holdTheme(bool held) override { heard.push_back(held ? "hold" : "go on"); }
    std::vector<std::string> take() {
        std::vector<std::string> h;
        h.swap(heard);
        return h;
    }
    std::vector<std::string> heard;
};

std::string fx(Effect e) { return "effect " + std::to_string(static_cast<int>(e)); }
std::string th(Theme t) { return "theme " + std::to_string(static_cast<int>(t)); }
using Heard = std::vector<std::string>;

long fakeNow = 0;
long fakeClock() { return fakeNow; }

class Sounds : public ::testing::Test {
protected:
    void SetUp() override {
        fakeNow = 100000;
        audio.useClock(fakeClock);
    }
    Recorder rec;
    Audio audio{&rec};
};

}  // namespace

TEST_F(Sounds, EachKindOfReportGivesItsEffect) {
    struct Case {
        const char* what;
        void (*set)(UpdateReport&);
        Effect effect;
    } cases[] = {
        {"item", [](UpdateReport& r) { r.itemCollected = true; }, Effect::Item},
        {"theft", [](UpdateReport& r) { r.itemStolen = true; }, Effect::Stolen},
        {"wall", [](UpdateReport& r) { r.wallBumps = 2; }, Effect::Wall},
        {"speed-up", [](UpdateReport& r) { r.speedUp = true; }, Effect::SpeedUp},
        {"last ten seconds", [](UpdateReport& r) { r.countdownTick = true; }, Effect::Tick},
    };
    for (const Case& c : cases) {
        UpdateReport r;
        c.set(r);
        fakeNow += 1000;
        playReport(r, audio);
        EXPECT_EQ(rec.take(), Heard{fx(c.effect)}) << c.what;
    }
    const Effect entrances[] = {Effect::EntersCoco, Effect::EntersEsposa, Effect::EntersLadrao, Effect::EntersGangster};
    const Effect hits[] = {Effect::HitCoco, Effect::HitEsposa, Effect::HitLadrao, Effect::HitGangster};
    for (int e = 0; e < ENEMY_COUNT; ++e) {
        UpdateReport r;
        r.entered[e] = true;
        playReport(r, audio);
        EXPECT_EQ(rec.take(), Heard{fx(entrances[e])}) << "entrance of enemy " << e;
        r = UpdateReport();
        r.hitBy[e] = true;
        playReport(r, audio);
        EXPECT_EQ(rec.take(), Heard{fx(hits[e])}) << "hit by enemy " << e;
    }
    playReport(UpdateReport(), audio);
    EXPECT_TRUE(rec.heard.empty()) << "a quiet update plays nothing";
    // Things of one update all sound, mixed.
    UpdateReport r;
    r.itemCollected = r.speedUp = true;
    r.hitBy[ENEMY_GANGSTER] = true;
    fakeNow += 1000;
    playReport(r, audio);
    EXPECT_EQ(rec.take(), (Heard{fx(Effect::Item), fx(Effect::HitGangster), fx(Effect::SpeedUp)}));
}

TEST_F(Sounds, AnEffectRestartsAtMostEvery150Ms) {
    UpdateReport bump;
    bump.wallBumps = 1;
    // Pressed against a wall: a bump every 30 ms frame for 20 frames.
    const long start = fakeNow;
    for (int f = 0; f < 20; ++f, fakeNow += 30) playReport(bump, audio);
    EXPECT_EQ(rec.take(), Heard(4, fx(Effect::Wall))) << "bumps at 0, 150, 300 and 450 ms";
    // Another effect is not held back by the wall's.
    fakeNow = start + 500;
    audio.play(Effect::Item);
    audio.play(Effect::Wall);
    EXPECT_EQ(rec.take(), Heard{fx(Effect::Item)});
    fakeNow = start + 450 + Audio::REPEAT_MS;
    audio.play(Effect::Wall);
    EXPECT_EQ(rec.take(), Heard{fx(Effect::Wall)});
}

TEST_F(Sounds, MuteSilencesEverythingAndUnmuteBringsTheMusicBack) {
    audio.music(Theme::Menu);
    audio.music(Theme::Menu);  // already playing: not restarted
    EXPECT_EQ(rec.take(), Heard{th(Theme::Menu)});
    audio.setMuted(true);
    audio.play(Effect::Click);
    audio.music(Theme::Play);
    EXPECT_EQ(rec.take(), Heard{th(Theme::None)}) << "muted: no effect and no new music";
    EXPECT_TRUE(audio.muted());
    audio.setMuted(false);
    EXPECT_EQ(rec.take(), Heard{th(Theme::Play)}) << "the theme chosen while muted";
    // Paused while muted: unmuting brings it back still paused.
    audio.setMuted(true);
    audio.pauseMusic();
    audio.setMuted(false);
    EXPECT_EQ(rec.take(), (Heard{th(Theme::None), th(Theme::Play), "hold"}));
    audio.resumeMusic();
    audio.resumeMusic();
    EXPECT_EQ(rec.take(), Heard{"go on"});
}

TEST_F(Sounds, EndOfGameThenRankingFanfareThenMenuTheme) {
    audio.music(Theme::Play);
    rec.take();
    playGameEnd(audio, 3);
    EXPECT_EQ(rec.take(), (Heard{th(Theme::None), fx(Effect::GameOver)}));
    audio.music(Theme::Menu);  // the menu asks for its theme at once
    audio.update();
    EXPECT_TRUE(rec.heard.empty()) << "the menu theme waits for the jingles";
    fakeNow += 1400;
    audio.update();
    EXPECT_EQ(rec.take(), Heard{fx(Effect::Ranking)});
    fakeNow += 850;
    audio.update();
    EXPECT_EQ(rec.take(), Heard{th(Theme::Menu)});
    EXPECT_EQ(audio.theme(), Theme::Menu);

    // A result that did not enter: no fanfare, the theme straight after.
    audio.music(Theme::Play);
    rec.take();
    playGameEnd(audio, 0);
    fakeNow += 1400;
    audio.update();
    EXPECT_EQ(rec.take(), (Heard{th(Theme::None), fx(Effect::GameOver), th(Theme::Menu)}));

    // A new game started before the menu theme came: it never comes.
    playGameEnd(audio, 1);
    audio.music(Theme::Play);
    fakeNow += 5000;
    audio.update();
    EXPECT_EQ(rec.take(), (Heard{th(Theme::None), fx(Effect::GameOver), th(Theme::Play)}));
}

TEST_F(Sounds, MuteKeyActsOncePerPressAndIsKept) {
    test::startAllegro();
    test::TempFolder folder;
    test::writeFile("lumo.cfg", "[display]\nscale = 3\nfullscreen = 1\n[keys]\npause = SPACE\n"
                                      "[gamepad]\ndevice = /dev/input/js1\nstart_button = 9\n");
    Input input;
    SettingsSaver settings("lumo.cfg");
    key[KEY_M] = 1;
    for (int f = 0; f < 5; ++f) {  // held for five frames
        input.poll();
        handleGlobalActions(input, audio, settings);
    }
    key[KEY_M] = 0;
    EXPECT_TRUE(audio.muted());
    Settings s = loadSettings("lumo.cfg");
    EXPECT_TRUE(s.mute);
    EXPECT_EQ(s.scale, 3) << "the rest of the file is kept";
    EXPECT_TRUE(s.fullscreen);
    EXPECT_EQ(s.pauseKeys, "SPACE") << "the player's keys are kept";
    EXPECT_EQ(s.padDevice, "/dev/input/js1");
    EXPECT_EQ(s.pad.start, 9);
    input.poll();
    key[KEY_M] = 1;
    input.poll();
    handleGlobalActions(input, audio, settings);
    key[KEY_M] = 0;
    EXPECT_FALSE(audio.muted());
    EXPECT_FALSE(loadSettings("lumo.cfg").mute);
}

// The game itself: its menu, a frame of play and the end of a game reach
// the sounds, and the mute in lumo.cfg holds from the start.
class GameSounds : public test::Headless {
protected:
    void SetUp() override {
        test::startAllegro();
        test::makeImageSet();
        ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
        JogoTestAccess::audio(jogo).useOutput(&rec);
    }
    void frame(int x, int y, int b) {
        mouse_x = x;
        mouse_y = y;
        mouse_b = b;
        JogoTestAccess::frame(jogo);
    }
    bool heard(Effect e) const {
        for (const std::string& h : rec.heard)
            if (h == fx(e)) return true;
        return false;
    }
    Recorder rec;
    Jogo jogo;
};

TEST_F(GameSounds, MenuClicksAndPageTurnsClick) {
    JogoTestAccess::openMenu(jogo);
    EXPECT_EQ(rec.take(), Heard{th(Theme::Menu)});
    frame(115, 377, 1);  // help
    EXPECT_EQ(rec.take(), Heard{fx(Effect::Click)});
    for (int f = 0; f < 6; ++f) frame(620, 205, 0);
    EXPECT_TRUE(rec.heard.empty()) << "hovering makes no sound";
    frame(620, 205, 1);  // next page
    EXPECT_EQ(rec.take(), Heard{fx(Effect::Page)});
}

TEST_F(GameSounds, PlayerMeetingTheItemIsHeardAndTheEndFollows) {
    test::Level n = test::neutralLevel(1);
    n.objects[1] = test::Record{110, 100, 0, 0, 10, 0};  // the item just ahead of the player
    test::writeFile(levelFilePath(1), test::levelText(n));
    ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
    JogoTestAccess::audio(jogo).music(Theme::Play);
    rec.take();
    JogoTestAccess::frame(jogo);
    EXPECT_TRUE(heard(Effect::Item));
    // The game ends a minute in: the jingle, while the summary shows.
    JogoTestAccess::mapa(jogo).setMin(1);
    JogoTestAccess::mapa(jogo).setSeg(0);
    rec.take();
    JogoTestAccess::finishGame(jogo);
    EXPECT_EQ(rec.take(), (Heard{th(Theme::None), fx(Effect::GameOver)}));
    EXPECT_EQ(JogoTestAccess::audio(jogo).theme(), Theme::None) << "the menu theme waits for the jingles";
}

TEST_F(GameSounds, MusicHoldsWhileTheGameIsPaused) {
    test::writeFile(levelFilePath(1), test::levelText(test::neutralLevel(1)));
    ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
    JogoTestAccess::audio(jogo).music(Theme::Play);
    JogoTestAccess::frame(jogo);
    rec.take();
    key[KEY_P] = 1;
    JogoTestAccess::frame(jogo);
    JogoTestAccess::frame(jogo);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Paused);
    EXPECT_EQ(rec.take(), Heard{"hold"}) << "held once, not every paused frame";
    key[KEY_P] = 0;
    JogoTestAccess::frame(jogo);
    key[KEY_P] = 1;
    JogoTestAccess::frame(jogo);
    EXPECT_EQ(rec.take(), Heard{"go on"});

    // Ended while paused: the music goes on before the end's jingle.
    key[KEY_P] = 0;
    JogoTestAccess::frame(jogo);
    key[KEY_P] = 1;
    JogoTestAccess::frame(jogo);
    rec.take();
    JogoTestAccess::finishGame(jogo);
    EXPECT_EQ(rec.take(), (Heard{"go on", th(Theme::None), fx(Effect::GameOver)}));
}

TEST_F(GameSounds, MuteInTheSettingsHoldsFromTheStart) {
    test::writeFile("lumo.cfg", "[sound]\nmute = 1\n");
    JogoTestAccess::audio(jogo).setMuted(loadSettings().mute);  // as alInit does
    JogoTestAccess::openMenu(jogo);
    frame(115, 377, 1);
    EXPECT_EQ(rec.take(), Heard{th(Theme::None)}) << "only the silencing of the music";
    key[KEY_M] = 1;
    frame(0, 0, 0);
    EXPECT_EQ(rec.take(), Heard{th(Theme::Menu)});
    EXPECT_FALSE(loadSettings().mute);
}

// ---------------------------------------------------------------- files

namespace {

std::string wavBytes(int channels, int bits, int rate, const std::string& data, int format = 1) {
    auto littleEndian = [](uint32_t v, int n) {
        std::string s;
        for (int k = 0; k < n; ++k) s += static_cast<char>(v >> (8 * k) & 0xff);
        return s;
    };
    const std::string fmt = littleEndian(format, 2) + littleEndian(channels, 2) + littleEndian(rate, 4) + littleEndian(rate * channels * bits / 8, 4) +
                            littleEndian(channels * bits / 8, 2) + littleEndian(bits, 2);
    const std::string body = "WAVE" + std::string("fmt ") + littleEndian(16, 4) + fmt + "data" + littleEndian(data.size(), 4) + data;
    return "RIFF" + littleEndian(body.size(), 4) + body;
}

}  // namespace

TEST(SoundFiles, LoopsReadWholeAndRefuseDamage) {
    test::startAllegro();
    // Two 16-bit frames, -32768 and 32767, become Allegro's unsigned 0 and 65535.
    SAMPLE* s = loopFromWav(wavBytes(1, 16, 22050, std::string("\x00\x80\xff\x7f", 4)));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->len, 2u);
    EXPECT_EQ(s->freq, 22050);
    EXPECT_EQ(static_cast<uint16_t*>(s->data)[0], 0);
    EXPECT_EQ(static_cast<uint16_t*>(s->data)[1], 65535);
    destroy_sample(s);
    s = loopFromWav(wavBytes(2, 8, 11025, "abcd"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->len, 2u);
    EXPECT_TRUE(s->stereo);
    destroy_sample(s);

    const std::string good = wavBytes(1, 16, 22050, std::string(400, '\x10'));
    struct Case {
        const char* what;
        std::string bytes;
    } bad[] = {
        {"empty", ""},
        {"cut short", good.substr(0, good.size() - 100)},
        {"header only", good.substr(0, 44)},
        {"not a WAV", std::string(200, 'x')},
        {"compressed", wavBytes(1, 16, 22050, std::string(400, 0), 2)},
        {"rate 0", wavBytes(1, 16, 0, std::string(400, 0))},
        {"12-bit", wavBytes(1, 12, 22050, std::string(400, 0))},
        {"no channels", wavBytes(0, 16, 22050, std::string(400, 0))},
        {"no data", wavBytes(1, 16, 22050, "")},
    };
    for (const Case& c : bad) EXPECT_EQ(loopFromWav(c.bytes), nullptr) << c.what;
}

TEST(SoundFiles, MissingOrDamagedFileNamedInOneLine) {
    test::startAllegro();
    test::TempFolder folder;
    const std::string good = wavBytes(1, 16, 22050, std::string(400, '\x10'));
    test::writeFile("good.wav", good);
    test::writeFile("empty.wav", "");
    test::writeFile("cut.wav", good.substr(0, 60));
    test::writeFile("rate0.wav", wavBytes(1, 16, 0, std::string(400, 0)));
    for (auto load : {loadEffectFile, loadLoopFile}) {
        SAMPLE* s = load("good.wav");
        EXPECT_NE(s, nullptr);
        if (s) destroy_sample(s);
        const struct {
            const char* file;
            const char* line;
        } cases[] = {{"missing.wav", "not found"},
                     {"empty.wav", "is damaged"},
                     {"cut.wav", "is damaged"},
                     {"rate0.wav", "is damaged"}};
        for (const auto& c : cases) {
            testing::internal::CaptureStderr();
            EXPECT_EQ(load(c.file), nullptr) << c.file;
            EXPECT_EQ(testing::internal::GetCapturedStderr(),
                      "lumo: " + std::filesystem::current_path().string() + "/" + c.file + " " + c.line + "\n");
        }
    }
}

TEST(SoundFiles, SpeakersNeverStartedPlayNothing) {
    AllegroAudio speakers;
    EXPECT_FALSE(speakers.active());
    speakers.startEffect(Effect::Item);
    speakers.playTheme(Theme::Menu);
    speakers.holdTheme(true);
    speakers.stop();
    EXPECT_FALSE(speakers.active());
}

// ---------------------------------------------------------------- shipped sounds

namespace {

struct Levels {
    // loudest: RMS of the loudest 50 ms, rms: of the whole sound, in dBFS
    double seconds = 0, peak = 0, loudestDb = 0, rmsDb = 0;
    std::vector<int16_t> samples;
};

double dbfs(double level) { return 20 * std::log10(level / 32768.0); }

Levels measure(const std::string& file) {
    const std::string b = test::readFile(std::string(LUMO_SOURCE_DIR) + "/Data/Sounds/" + file);
    Levels l;
    SAMPLE* s = loopFromWav(b);
    EXPECT_NE(s, nullptr) << file;
    if (!s) return l;
    EXPECT_EQ(s->freq, 22050) << file;
    EXPECT_EQ(s->bits, 16) << file;
    EXPECT_FALSE(s->stereo) << file;
    for (unsigned long k = 0; k < s->len; ++k)
        l.samples.push_back(static_cast<int16_t>(static_cast<uint16_t*>(s->data)[k] ^ 0x8000));
    destroy_sample(s);
    l.seconds = l.samples.size() / 22050.0;
    double all = 0;
    for (int16_t v : l.samples) {
        l.peak = std::max(l.peak, std::abs(double(v)));
        all += double(v) * v;
    }
    const size_t window = 22050 / 20;
    double loudest = 0;
    for (size_t at = 0; at == 0 || at + window <= l.samples.size(); at += window / 4) {
        const size_t n = std::min(window, l.samples.size() - at);
        double sum = 0;
        for (size_t k = at; k < at + n; ++k) sum += double(l.samples[k]) * l.samples[k];
        loudest = std::max(loudest, std::sqrt(sum / n));
        if (n < window) break;
    }
    l.loudestDb = dbfs(loudest);
    l.rmsDb = dbfs(std::sqrt(all / l.samples.size()));
    return l;
}

// How long a loop is nearly silent (under -50 dBFS, in steps of 5 ms) on
// both sides of its seam together.
int silenceAtSeamMs(const std::vector<int16_t>& s) {
    const size_t step = 110;
    auto quiet = [&](size_t at) {
        double sum = 0;
        for (size_t k = at; k < at + step; ++k) sum += double(s[k]) * s[k];
        return dbfs(std::sqrt(sum / step)) < -50;
    };
    int steps = 0;
    for (size_t end = s.size(); end >= step && quiet(end - step); end -= step) ++steps;
    for (size_t at = 0; at + step <= s.size() && quiet(at); at += step) ++steps;
    return steps * 5;
}

}  // namespace

// The game's mixer plays every voice at full scale, so these are the levels
// heard. The countdown tick is a reminder, kept well under the others.
TEST(ShippedSounds, ShortClearOfClippingAndEvenlyLoud) {
    double quietest = 0, loudest = -200, effectPeak = 0, tickDb = 0, total = 0;
    for (int e = 0; e < EFFECT_COUNT; ++e) {
        const std::string f = AllegroAudio::effectFile(static_cast<Effect>(e));
        const Levels l = measure(f);
        EXPECT_GE(l.seconds, 0.03) << f;
        EXPECT_LE(l.seconds, 1.5) << f << ": an effect is short";
        effectPeak = std::max(effectPeak, l.peak);
        total += l.samples.size() * 2;
        if (static_cast<Effect>(e) == Effect::Tick) {
            tickDb = l.loudestDb;
        } else {
            quietest = std::min(quietest, l.loudestDb);
            loudest = std::max(loudest, l.loudestDb);
        }
    }
    EXPECT_LE(loudest - quietest, 6.0) << "effects from " << quietest << " to " << loudest << " dBFS";
    EXPECT_LE(tickDb, quietest - 10.0) << "the tick";
    for (Theme t : {Theme::Menu, Theme::Play}) {
        const std::string f = AllegroAudio::themeFile(t);
        const Levels l = measure(f);
        EXPECT_GE(l.seconds, 8.0) << f;
        EXPECT_LE(l.seconds, 30.0) << f;
        EXPECT_GE(l.rmsDb, -24.0) << f;
        EXPECT_GE(quietest - l.rmsDb, 7.5) << f << ": the music stays under the effects";
        EXPECT_LE(loudest - l.rmsDb, 10.5) << f << ": the music is not lost under the effects";
        EXPECT_LE(dbfs(l.peak + effectPeak), -1.0) << f << ": an effect over the music";
        EXPECT_LE(silenceAtSeamMs(l.samples), 30) << f << ": no gap where the loop starts again";
        // Round the loop's seam the wave moves no more than it does anywhere
        // inside: no click where it starts again.
        int biggestStep = 0;
        for (size_t k = 1; k < l.samples.size(); ++k)
            biggestStep = std::max(biggestStep, std::abs(l.samples[k] - l.samples[k - 1]));
        EXPECT_LE(std::abs(l.samples.front() - l.samples.back()), biggestStep) << f;
        total += l.samples.size() * 2;
    }
    EXPECT_LE(total, 3.0 * 1024 * 1024) << "all the sound data";
}
