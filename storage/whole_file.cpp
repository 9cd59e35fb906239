#include "storage/whole_file.h"

#include "storage/regular_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int MAX_LINKS = 40;  // as many as the kernel follows

// The temporary file being written, for removeUnfinishedWrite: the name is
// set before the folder, and the folder cleared before it is closed.
std::atomic<int> pendingFolder{-1};
char pendingName[NAME_MAX + 1];

// Where a path leads: an open folder and a name in it.
struct Place {
    int folder = -1;
    std::string name;
    bool strangersLink = false;  // a link that must not be followed
    Place() = default;
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    ~Place() {
        if (folder >= 0) close(folder);
    }
};

bool fail(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
    return false;
}

// The names of a path, put in front of those still to walk.
void putInFront(const std::string& path, std::deque<std::string>& rest) {
    std::deque<std::string> parts;
    for (size_t start = 0; start <= path.size();) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        const std::string part = path.substr(start, slash - start);
        if (!part.empty() && part != ".") parts.push_back(part);
        start = slash + 1;
    }
    rest.insert(rest.begin(), parts.begin(), parts.end());
}

// The kernel's rule for links in shared folders, applied here as some
// systems turn it off: in a sticky folder anyone may write in (as /tmp), a
// link is followed only when it is the player's or the folder owner's, as
// anyone else could have left it there to aim the write at the player's files.
bool mayFollow(int folder, const struct stat& link) {
    struct stat info;
    if (fstat(folder, &info) != 0) return false;
    const bool shared = (info.st_mode & S_ISVTX) && (info.st_mode & S_IWOTH);
    return !shared || link.st_uid == geteuid() || link.st_uid == info.st_uid;
}

// Walks the path a name at a time, reading each link itself, so every link
// is judged in the folder it stands in. The last name need not exist.
bool locate(const std::string& path, Place& place, std::string* reason) {
    std::deque<std::string> rest;
    putInFront(path, rest);
    place.folder = open(!path.empty() && path[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (place.folder < 0) return fail(reason, std::strerror(errno));
    int links = 0;
    while (!rest.empty()) {
        const std::string name = rest.front();
        rest.pop_front();
        const bool last = rest.empty();
        struct stat info;
        if (fstatat(place.folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (last && errno == ENOENT) {
                place.name = name;
                return true;
            }
            return fail(reason, std::strerror(errno));
        }
        if (S_ISLNK(info.st_mode)) {
            if (!mayFollow(place.folder, info)) {
                if (!last) return fail(reason, "a link owned by another user in a shared folder");
                place.name = name;
                place.strangersLink = true;
                return true;
            }
            if (++links > MAX_LINKS) return fail(reason, std::strerror(ELOOP));
            char target[PATH_MAX];
            const ssize_t n = readlinkat(place.folder, name.c_str(), target, sizeof target);
            if (n <= 0 || n == ssize_t(sizeof target)) return fail(reason, std::strerror(n < 0 ? errno : ENAMETOOLONG));
            if (target[0] == '/') {
                close(place.folder);
                place.folder = open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
                if (place.folder < 0) return fail(reason, std::strerror(errno));
            }
            putInFront(std::string(target, n), rest);
            continue;
        }
        if (last) {
            place.name = name;
            return true;
        }
        const int next = openat(place.folder, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) return fail(reason, std::strerror(errno));
        close(place.folder);
        place.folder = next;
    }
    return fail(reason, std::strerror(EISDIR));
}

// 0 or the error that stopped the writing.
int writeAll(int fd, const std::string& contents) {
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return ENOSPC;
        done += size_t(n);
    }
    return fsync(fd) == 0 ? 0 : errno;
}

// The rename lives in the folder: until the folder reaches the disk, a power
// cut can still bring the old file back. The new file is in place either
// way, so a failure here changes nothing for the caller.
void syncFolder(const Place& place) {
    const int fd = openat(place.folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Truncate and write: a crash half-way can cut the file short, which is why
// this is only the way out when the file cannot be replaced.
bool writeInPlace(const Place& place, const std::string& contents, std::string* reason) {
    const int fd = openat(place.folder, place.name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(reason, std::strerror(errno));
    struct stat info;
    int error = fstat(fd, &info) != 0 ? errno : 0;
    if (!error && !S_ISREG(info.st_mode)) error = EINVAL;
    if (!error) error = ftruncate(fd, 0) == 0 ? writeAll(fd, contents) : errno;
    if (close(fd) != 0 && !error) error = errno;
    return error ? fail(reason, std::strerror(error)) : true;
}

// The process's umask, read rather than set and put back: setting it, even
// for a moment, races with any other thread creating a file.
mode_t processUmask() {
    std::string status;
    if (readRegularFile("/proc/self/status", status, 1 << 16)) {
        const size_t at = status.find("\nUmask:");
        if (at != std::string::npos) return mode_t(std::strtoul(status.c_str() + at + 7, nullptr, 8) & 0777);
    }
    return 022;  // the usual one, where /proc is not mounted
}

// A file beside the place under a name of its own ("name." and six
// letters), opened for writing; -1 with errno set.
int createTemporary(const Place& place, std::string& temporary) {
    static const char LETTERS[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 pick(std::random_device{}() ^ unsigned(getpid()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = place.name + ".";
        for (int k = 0; k < 6; ++k) temporary += LETTERS[pick() % (sizeof LETTERS - 1)];
        if (temporary.size() > NAME_MAX) {
            errno = ENAMETOOLONG;
            return -1;
        }
        std::memcpy(pendingName, temporary.c_str(), temporary.size() + 1);
        const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
        const int fd = openat(place.folder, temporary.c_str(), flags, 0600);
        if (fd >= 0) {
            pendingFolder = place.folder;
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

void dropTemporary(const Place& place, const std::string& temporary) {
    pendingFolder = -1;
    unlinkat(place.folder, temporary.c_str(), 0);
}

}  // namespace

bool writeWholeFile(const std::string& path, const std::string& contents, std::string* reason) {
    Place place;
    if (!locate(path, place, reason)) return false;
    struct stat info;
    // A stranger's link has no mode or owner of the player's to keep.
    const bool exists =
        !place.strangersLink && fstatat(place.folder, place.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && !S_ISREG(info.st_mode)) return fail(reason, "is not a regular file");
    if (exists && ((info.st_mode & 0222) == 0 || faccessat(place.folder, place.name.c_str(), W_OK, AT_EACCESS) != 0))
        return fail(reason, std::strerror(EACCES));

    std::string temporary;
    const int fd = createTemporary(place, temporary);
    if (fd < 0) {
        // A full disk is no reason to truncate the old file.
        const bool folderClosed = errno == EACCES || errno == EPERM || errno == EROFS;
        if (exists && folderClosed) return writeInPlace(place, contents, reason);
        return fail(reason, std::strerror(errno));
    }
    // Owner and group before the mode: a change of owner clears the set-id
    // bits. A file the player may not give its owner back is not replaced.
    if (exists && (info.st_uid != geteuid() || info.st_gid != getegid()) &&
        fchown(fd, info.st_uid, info.st_gid) != 0) {
        close(fd);
        dropTemporary(place, temporary);
        return writeInPlace(place, contents, reason);
    }
    int error = fchmod(fd, exists ? info.st_mode & 07777 : 0666 & ~processUmask()) == 0 ? 0 : errno;
    if (!error) error = writeAll(fd, contents);
    if (close(fd) != 0 && !error) error = errno;
    if (!error && renameat(place.folder, temporary.c_str(), place.folder, place.name.c_str()) != 0) error = errno;
    if (error) {
        dropTemporary(place, temporary);
        if (place.strangersLink && error == EPERM) return fail(reason, "owned by another user in a shared folder");
        return fail(reason, std::strerror(error));
    }
    pendingFolder = -1;
    syncFolder(place);
    return true;
}

void removeUnfinishedWrite() {
    const int folder = pendingFolder;
    if (folder >= 0) unlinkat(folder, pendingName, 0);
}
