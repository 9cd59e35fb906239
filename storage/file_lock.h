// An advisory lock that two copies of the game take before they read, change
// and write the same file, so that neither drops the other's change. It is
// never waited on without a limit: anyone who can read the lock file can
// hold it, and a stopped copy of the game holds it for good.
#pragma once

#include <string>

enum class LockWait {
    Once,     // one try: a busy lock is left for a later frame
    Briefly,  // tries for about two seconds, then goes on without it
};

class FileLock {
public:
    // The lock on `path`.lock beside the file; where the folder cannot take
    // that file, on the file itself. `giveUp`, asked between tries, ends the
    // wait early (a request to quit). Not held when busy, given up, or with
    // neither file: the caller then goes on without it.
    FileLock(const std::string& path, LockWait wait, bool (*giveUp)() = nullptr);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd >= 0; }
    // Another holder kept it past the wait (or the wait was given up).
    bool busy() const { return wasBusy; }

private:
    int fd = -1;
    bool wasBusy = false;
};
