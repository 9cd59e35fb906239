// An advisory lock that two copies of the game take before they read, change
// and write the same file, so that neither drops the other's change.
#pragma once

#include <string>

class FileLock {
public:
    // Waits for the lock on `path`.lock beside the file; where the folder
    // cannot take that file, on the file itself. Without either (no folder,
    // no file) the lock is not held, and the caller goes on without it.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd >= 0; }

private:
    int fd = -1;
};
