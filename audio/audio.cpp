#include "audio/audio.h"

#include <algorithm>
#include <chrono>

namespace {

long steadyMs() {
    using namespace std::chrono;
    return static_cast<long>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Far enough back that every effect may start at once.
const long NEVER = -1000000;

}  // namespace

Audio::Audio(AudioOutput* output) : out(output), clock(steadyMs) { std::fill(lastStart, lastStart + EFFECT_COUNT, NEVER); }

void Audio::play(Effect e, long afterMs) {
    if (isMuted) return;
    if (afterMs > 0) {
        waiting.push_back({false, e, Theme::None, clock() + afterMs});
        return;
    }
    startNow(e);
}

void Audio::startNow(Effect e) {
    const long now = clock();
    long& last = lastStart[static_cast<int>(e)];
    if (now - last < REPEAT_MS) return;
    last = now;
    out->startEffect(e);
}

void Audio::music(Theme t, long afterMs) {
    auto themeWaiting = [](const Waiting& w) { return w.isTheme; };
    const auto pending = std::find_if(waiting.begin(), waiting.end(), themeWaiting);
    if (pending != waiting.end() ? pending->theme == t : current == t) return;
    if (afterMs > 0) {
        waiting.erase(std::remove_if(waiting.begin(), waiting.end(), themeWaiting), waiting.end());
        waiting.push_back({true, Effect::Count, t, clock() + afterMs});
        return;
    }
    // A new scene: what waited belonged to the one before.
    waiting.clear();
    switchTheme(t);
}

void Audio::switchTheme(Theme t) {
    current = t;
    paused = false;
    if (!isMuted) out->playTheme(t);
}

void Audio::pauseMusic() {
    if (paused) return;
    paused = true;
    if (!isMuted) out->holdTheme(true);
}

void Audio::resumeMusic() {
    if (!paused) return;
    paused = false;
    if (!isMuted) out->holdTheme(false);
}

void Audio::update() {
    const long now = clock();
    // Taken out before starting, so a start can never change the list under us.
    std::vector<Waiting> due;
    auto isDue = [now](const Waiting& w) { return w.at <= now; };
    std::copy_if(waiting.begin(), waiting.end(), std::back_inserter(due), isDue);
    waiting.erase(std::remove_if(waiting.begin(), waiting.end(), isDue), waiting.end());
    for (const Waiting& w : due) {
        if (w.isTheme)
            switchTheme(w.theme);
        else
            startNow(w.effect);
    }
}

void Audio::setMuted(bool m) {
    if (m == isMuted) return;
    isMuted = m;
    if (m) {
        // A theme on its way still comes: muting must not lose the menu's music.
        waiting.erase(std::remove_if(waiting.begin(), waiting.end(), [](const Waiting& w) { return !w.isTheme; }),
                      waiting.end());
        out->playTheme(Theme::None);
        out->setSilent(true);
        return;
    }
    out->setSilent(false);
    out->playTheme(current);
    if (paused) out->holdTheme(true);
}
