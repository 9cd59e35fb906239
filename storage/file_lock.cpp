#include "storage/file_lock.h"

#include "storage/path_walk.h"
#include "storage/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The lock file's own name is never followed, so nothing is created or
// opened where a link planted there points; the folders on the way follow
// the writer's rule for links. O_NONBLOCK: a pipe there does not stall the
// open.
int openLockFile(const std::string& path) {
    Place place;
    if (!locate(path + ".lock", place, nullptr, false)) return -1;
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = openat(place.folder, place.name.c_str(), O_RDWR | O_CREAT | flags, 0666);
    if (fd < 0 && errno != ELOOP) fd = openat(place.folder, place.name.c_str(), O_RDONLY | flags);
    // The file itself may be a link the player made (into a synced folder):
    // only read, and followed where the writer would follow it.
    if (fd < 0) fd = openPlayerFile(path);
    return fd;
}

}  // namespace

FileLock::FileLock(const std::string& path) {
    const int candidate = openLockFile(path);
    if (candidate < 0) return;
    if (flock(candidate, LOCK_EX | LOCK_NB) == 0) {
        fd = candidate;
        return;
    }
    wasBusy = errno == EWOULDBLOCK || errno == EINTR;
    close(candidate);
}

FileLock::~FileLock() {
    if (fd >= 0) close(fd);  // closing lets the lock go
}
