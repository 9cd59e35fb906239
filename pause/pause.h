// A game's pause: P toggles it, losing the window's focus (or the pad)
// pauses it, and only the player's P resumes. While paused nothing of the
// game advances.
#pragma once

enum class PauseChange { None, Pauses, Resumes };

// What this frame does to a game that is `paused` or running.
PauseChange pauseChange(bool paused, bool pausePressed, bool focusLost);
