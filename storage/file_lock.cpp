#include "storage/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(const std::string& path) {
    const std::string lockFile = path + ".lock";
    fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) fd = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    int r;
    while ((r = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (r != 0) {
        close(fd);
        fd = -1;
    }
}

FileLock::~FileLock() {
    if (fd >= 0) close(fd);  // closing lets the lock go
}
