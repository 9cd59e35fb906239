#include "storage/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder";
    if (S_ISFIFO(mode)) return "is a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
    return "is not a regular file";
}

void say(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
}

}  // namespace

int openRegularFile(const std::string& path, std::string* reason) {
    // Without O_NONBLOCK a pipe with no writer would hold the open for ever.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0) {
        say(reason, std::strerror(errno));
        if (fd >= 0) close(fd);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        say(reason, kindOf(info.st_mode));
        close(fd);
        return -1;
    }
    // Reads of a regular file then wait for the disk as usual.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool readRegularFile(const std::string& path, std::string& contents, size_t maxBytes, std::string* reason) {
    contents.clear();
    const int fd = openRegularFile(path, reason);
    if (fd < 0) return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0;
    // One byte more than the size: a file that grew since is seen to, and
    // is read no further than the bound.
    if (ok) contents.resize(std::min(size_t(info.st_size), maxBytes) + 1);
    size_t done = 0;
    while (ok && done <= maxBytes) {
        if (done == contents.size()) contents.resize(std::min(maxBytes + 1, 2 * done));
        const ssize_t n = read(fd, &contents[done], contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) say(reason, std::strerror(errno));
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        done += size_t(n);
    }
    close(fd);
    if (ok && done > maxBytes) {
        say(reason, "is larger than " + std::to_string(maxBytes) + " bytes");
        ok = false;
    }
    contents.resize(ok ? done : 0);
    return ok;
}

bool isNotFound(const std::string& reason) { return reason == std::strerror(ENOENT); }
