#include "storage/whole_file.h"

#include "storage/path_walk.h"
#include "storage/regular_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The six letters after "name." that make a temporary file's name.
const char LETTERS[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
const int LETTER_COUNT = 6;
// A save takes milliseconds: a temporary file this old was left by a copy
// of the game that was killed half-way.
const time_t LEFTOVER_AGE = 60;

// The temporary file being written, for removeUnfinishedWrite: the name is
// set before the folder, and the folder cleared before it is closed.
std::atomic<int> pendingFolder{-1};
char pendingName[NAME_MAX + 1];

bool fail(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
    return false;
}

// The whole contents from the start of the file, the file cut to their
// length, and the data on the disk: 0, or the error that stopped it. Nothing
// is cut before the new contents are in, so a process killed half-way
// leaves the old contents or the new ones, never an empty file.
int writeAll(int fd, const std::string& contents) {
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = pwrite(fd, contents.data() + done, contents.size() - done, off_t(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return ENOSPC;
        done += size_t(n);
    }
    if (ftruncate(fd, off_t(contents.size())) != 0) return errno;
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

// Over the old contents: only the way out when the file cannot be replaced,
// as a power cut half-way can leave a mix of the two. A full disk is found
// before anything is written over.
bool writeInPlace(const Place& place, const std::string& contents, std::string* reason) {
    const int fd = openat(place.folder, place.name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(reason, std::strerror(errno));
    struct stat info;
    int error = fstat(fd, &info) != 0 ? errno : 0;
    if (!error && !S_ISREG(info.st_mode)) error = EINVAL;
    if (!error && contents.size() > size_t(info.st_size) &&
        fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(contents.size())) != 0 && (errno == ENOSPC || errno == EDQUOT))
        error = errno;
    if (!error) error = writeAll(fd, contents);
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

bool isTemporaryOf(const std::string& name, const char* candidate) {
    const size_t length = std::strlen(candidate);
    if (length != name.size() + 1 + LETTER_COUNT || name.compare(0, name.size(), candidate, name.size()) != 0 ||
        candidate[name.size()] != '.')
        return false;
    bool lower = true, digits = true;
    for (size_t k = name.size() + 1; k < length; ++k) {
        if (!std::strchr(LETTERS, candidate[k])) return false;
        lower = lower && std::islower(static_cast<unsigned char>(candidate[k]));
        digits = digits && std::isdigit(static_cast<unsigned char>(candidate[k]));
    }
    // A word or a date ("rank.txt.backup", "rank.txt.261208") is more likely
    // a copy the player made than one of the rare draws that look like it.
    return !lower && !digits;
}

// The player's own temporary files of this name that a killed save left
// behind; another user's, and a younger one that may be a save under way,
// stay.
void removeLeftovers(const Place& place) {
    const int fd = openat(place.folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    DIR* folder = fdopendir(fd);
    if (!folder) {
        close(fd);
        return;
    }
    const time_t now = std::time(nullptr);
    while (const dirent* entry = readdir(folder)) {
        if (!isTemporaryOf(place.name, entry->d_name)) continue;
        struct stat info;
        if (fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == geteuid() && now - info.st_mtime > LEFTOVER_AGE)
            unlinkat(fd, entry->d_name, 0);
    }
    closedir(folder);
}

// A file beside the place under a name of its own ("name." and six
// letters), opened for writing; -1 with errno set.
int createTemporary(const Place& place, std::string& temporary) {
    static std::mt19937 pick(std::random_device{}() ^ unsigned(getpid()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = place.name + ".";
        for (int k = 0; k < LETTER_COUNT; ++k) temporary += LETTERS[pick() % (sizeof LETTERS - 1)];
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
    if (exists && !S_ISREG(info.st_mode)) return fail(reason, notRegularFile(info.st_mode));
    if (exists && ((info.st_mode & 0222) == 0 || faccessat(place.folder, place.name.c_str(), W_OK, AT_EACCESS) != 0))
        return fail(reason, std::strerror(EACCES));

    removeLeftovers(place);
    std::string temporary;
    const int fd = createTemporary(place, temporary);
    if (fd < 0) {
        // A full disk is no reason to write over the old file.
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

bool writeNewFile(const std::string& path, const std::string& contents, std::string* reason) {
    Place place;
    if (!locate(path, place, reason, false)) return false;
    std::string temporary;
    const int fd = createTemporary(place, temporary);
    if (fd < 0) return fail(reason, std::strerror(errno));
    int error = fchmod(fd, 0666 & ~processUmask()) == 0 ? 0 : errno;
    if (!error) error = writeAll(fd, contents);
    if (close(fd) != 0 && !error) error = errno;
    // A link, unlike a rename, never replaces what stands at the name.
    if (!error && linkat(place.folder, temporary.c_str(), place.folder, place.name.c_str(), 0) != 0) error = errno;
    dropTemporary(place, temporary);
    if (error) return fail(reason, error == EEXIST ? "already exists" : std::strerror(error));
    syncFolder(place);
    return true;
}

void removeUnfinishedWrite() {
    const int folder = pendingFolder;
    if (folder >= 0) unlinkat(folder, pendingName, 0);
}
