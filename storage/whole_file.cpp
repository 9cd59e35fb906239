#include "storage/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder part of a path with its slash, or nothing for a bare name.
std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// The file a chain of symbolic links ends at (the path itself when it is
// no link); a relative link is read from the folder holding it.
std::string linkTarget(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
        char target[4096];
        const ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
        if (n <= 0) break;
        const std::string next(target, n);
        path = next[0] == '/' ? next : folderOf(path) + next;
    }
    return path;
}

bool writeAll(int fd, const std::string& contents) {
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return fsync(fd) == 0;
}

// The rename lives in the folder: until the folder reaches the disk, a power
// cut can still bring the old file back. The new file is in place either
// way, so a failure here changes nothing for the caller.
void syncFolder(const std::string& path) {
    const std::string folder = folderOf(path);
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Truncate and write: a crash half-way can cut the file short, which is why
// this is only the way out when the folder takes no new file.
bool writeInPlace(const std::string& path, const std::string& contents) {
    const int fd = open(path.c_str(), O_WRONLY);
    if (fd < 0) return false;
    const bool ok = ftruncate(fd, 0) == 0 && writeAll(fd, contents);
    return close(fd) == 0 && ok;
}

// What a new file gets: everything the process's umask allows.
mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool writeWholeFile(const std::string& path, const std::string& contents, std::string* reason) {
    // errno of the step that failed, read before anything else can change it.
    auto failed = [reason](const char* why = nullptr) {
        if (reason) *reason = why ? why : std::strerror(errno);
        return false;
    };
    const std::string target = linkTarget(path);
    struct stat info;
    const bool exists = stat(target.c_str(), &info) == 0;
    if (exists && (info.st_mode & 0222) == 0) return failed("the file is read-only");

    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        // A full disk is no reason to truncate the old file.
        const bool folderClosed = errno == EACCES || errno == EPERM || errno == EROFS;
        if (!exists || !folderClosed) return failed();
        return writeInPlace(target, contents) || failed();
    }
    bool ok = fchmod(fd, exists ? info.st_mode & 07777 : newFileMode()) == 0 && writeAll(fd, contents);
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int error = errno;
        unlink(temporary.c_str());
        errno = error;
        return failed();
    }
    syncFolder(target);
    return true;
}
