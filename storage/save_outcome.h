// What one try at saving a file under its lock came to. The lock is only
// tried, so a caller can try again on its next frame while another process
// holds it.
#pragma once

#include <string>

enum class SaveStatus {
    Saved,
    Busy,    // another process holds the lock: nothing was read or written
    Failed,  // the file could not be written: `reason` says why
};

struct SaveOutcome {
    SaveStatus status = SaveStatus::Saved;
    std::string reason;
};

// The reason a busy lock is given, after the file's path.
inline const char* const LOCKED_ELSEWHERE = "is locked by another process";
