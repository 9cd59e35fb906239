#include "storage/regular_file.h"

#include "storage/path_walk.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const NOT_FOUND = "not found";

void say(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
}

// What an open that failed means to the player.
std::string openFailure(int error) {
    switch (error) {
        case ENOENT: return NOT_FOUND;
        case EACCES:
        case EPERM: return "cannot be opened: permission denied";
        case EMFILE:
        case ENFILE: return "cannot be opened: too many open files";
        default: return std::string("cannot be opened: ") + std::strerror(error);
    }
}

// The descriptor when it is a regular file, made blocking again for reading
// from the disk; otherwise closed, and -1.
int keepRegular(int fd, std::string* reason) {
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0) {
        say(reason, openFailure(errno));
        if (fd >= 0) close(fd);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        say(reason, notRegularFile(info.st_mode));
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// At most maxBytes of the open file, which is closed. A file past the bound
// fails, or with `cut` given, gives its head.
bool readOpen(int fd, std::string& contents, size_t maxBytes, std::string* reason, bool* cut) {
    if (cut) *cut = false;
    contents.clear();
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
        if (n < 0) say(reason, std::string("cannot be read: ") + std::strerror(errno));
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        done += size_t(n);
    }
    close(fd);
    if (ok && done > maxBytes) {
        if (cut) {
            *cut = true;
            done = maxBytes;
        } else {
            say(reason, "is larger than " + std::to_string(maxBytes) + " bytes");
            ok = false;
        }
    }
    contents.resize(ok ? done : 0);
    return ok;
}

}  // namespace

std::string notRegularFile(mode_t mode) {
    const char* kind = S_ISDIR(mode)                    ? "is a folder"
                       : S_ISFIFO(mode)                 ? "is a named pipe"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "is a device"
                       : S_ISSOCK(mode)                 ? "is a socket"
                                                        : "is a link";
    return std::string(kind) + ", not a regular file";
}

int openRegularFile(const std::string& path, std::string* reason) {
    // Without O_NONBLOCK a pipe with no writer would hold the open for ever.
    return keepRegular(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC), reason);
}

bool readRegularFile(const std::string& path, std::string& contents, size_t maxBytes, std::string* reason) {
    return readOpen(openRegularFile(path, reason), contents, maxBytes, reason, nullptr);
}

int openPlayerFile(const std::string& path, std::string* reason) {
    Place place;
    std::string walk;
    if (!locate(path, place, &walk)) {
        // The walk's own reasons are the system's words for errno.
        const int error = errno;
        say(reason, walk == std::strerror(error) ? openFailure(error) : walk);
        return -1;
    }
    if (place.strangersLink) {
        say(reason, STRANGERS_LINK);
        return -1;
    }
    // The walk has followed every link it trusts; a link that appears at
    // the name since is not followed.
    const int flags = O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC;
    return keepRegular(openat(place.folder, place.name.c_str(), flags), reason);
}

bool readPlayerFile(const std::string& path, std::string& contents, size_t maxBytes, std::string* reason,
                    bool* cut) {
    return readOpen(openPlayerFile(path, reason), contents, maxBytes, reason, cut);
}

bool isNotFound(const std::string& reason) { return reason == NOT_FOUND; }

bool readsAsAbsent(const std::string& reason) { return isNotFound(reason) || reason == STRANGERS_LINK; }
