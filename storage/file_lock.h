// An advisory lock that two copies of the game take before they read, change
// and write the same file, so that neither drops the other's change. It is
// never waited on: anyone who can read the lock file can hold it, and a
// stopped copy of the game holds it for good.
#pragma once

#include <string>

class FileLock {
public:
    // One try at the lock on `path`.lock beside the file; where the folder
    // cannot take that file, on the file itself. Not held when busy (a
    // caller tries again on a later frame), or with neither file: the
    // caller then goes on without it.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd >= 0; }
    // Another holder has it.
    bool busy() const { return wasBusy; }

private:
    int fd = -1;
    bool wasBusy = false;
};
