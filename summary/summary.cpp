#include "summary/summary.h"

void Summary::open(int minutes, int seconds, bool timeUp, const RankingEntry& entry) {
    mins = minutes;
    secs = seconds;
    ranOut = timeUp;
    result = entry;
}

bool Summary::closes(const Input& input) const {
    return input.clicked() || input.pressed(Action::Confirm) || input.pressed(Action::Back);
}
