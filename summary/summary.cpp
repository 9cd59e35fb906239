#include "summary/summary.h"

void Summary::open(int minutes, int seconds, bool timeUp, const RankingEntry& entry, const LevelResult& level) {
    mins = minutes;
    secs = seconds;
    ranOut = timeUp;
    result = entry;
    levelResult = level;
    focused = PLAY_AGAIN;
}

SummaryChoice Summary::update(const Input& input, int pointed) {
    if (input.pressed(Action::Back)) return SummaryChoice::Menu;
    // Two buttons side by side: any arrow goes to the other one.
    if (input.pressed(Action::Left) || input.pressed(Action::Right) || input.pressed(Action::Up) ||
        input.pressed(Action::Down))
        focused = 1 - focused;
    if (input.clicked() && pointed >= 0) focused = pointed;
    if (!input.clicked() && !input.pressed(Action::Confirm)) return SummaryChoice::Stay;
    return focused == PLAY_AGAIN ? SummaryChoice::PlayAgain : SummaryChoice::Menu;
}
