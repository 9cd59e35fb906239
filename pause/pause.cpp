#include "pause/pause.h"

PauseChange pauseChange(bool paused, bool pausePressed, bool focusLost) {
    if (!paused) return pausePressed || focusLost ? PauseChange::Pauses : PauseChange::None;
    return pausePressed ? PauseChange::Resumes : PauseChange::None;
}
