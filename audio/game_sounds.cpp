#include "audio/game_sounds.h"

namespace {

Effect forEnemy(Effect first, int enemy) { return static_cast<Effect>(static_cast<int>(first) + enemy); }

// Lengths of the jingles in Data/Sounds, so one starts as the other ends.
const long GAME_OVER_MS = 1400;
const long RANKING_MS = 850;

}  // namespace

void playReport(const UpdateReport& r, Audio& audio) {
    if (r.itemCollected) audio.play(Effect::Item);
    if (r.itemStolen) audio.play(Effect::Stolen);
    for (int e = 0; e < ENEMY_COUNT; ++e) {
        if (r.entered[e]) audio.play(forEnemy(Effect::EntersCoco, e));
        if (r.hitBy[e]) audio.play(forEnemy(Effect::HitCoco, e));
    }
    if (r.wallBumps > 0) audio.play(Effect::Wall);
    if (r.speedUp) audio.play(Effect::SpeedUp);
    if (r.countdownTick) audio.play(Effect::Tick);
}

void playGameEnd(Audio& audio, short rankingPlace) {
    audio.music(Theme::None);
    audio.play(Effect::GameOver);
    long menuAfter = GAME_OVER_MS;
    if (rankingPlace > 0) {
        audio.play(Effect::Ranking, GAME_OVER_MS);
        menuAfter += RANKING_MS;
    }
    audio.music(Theme::Menu, menuAfter);
}
