#include "storage/regular_file.h"

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

}  // namespace

int openRegularFile(const std::string& path, std::string* reason) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (reason) *reason = std::strerror(errno);
        return -1;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (reason) *reason = S_ISREG(info.st_mode) ? std::strerror(errno) : kindOf(info.st_mode);
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool readRegularFile(const std::string& path, std::string& contents, size_t maxBytes, std::string* reason) {
    const int fd = openRegularFile(path, reason);
    if (fd < 0) return false;
    contents.clear();
    char buffer[4096];
    bool ok = true;
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            if (!ok && reason) *reason = std::strerror(errno);
            break;
        }
        if (contents.size() + size_t(n) > maxBytes) {
            ok = false;
            if (reason) *reason = "is too large";
            break;
        }
        contents.append(buffer, size_t(n));
    }
    close(fd);
    return ok;
}
