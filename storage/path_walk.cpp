#include "storage/path_walk.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char* const STRANGERS_LINK = "is a link owned by another user in a shared folder, not followed";

namespace {

const int MAX_LINKS = 40;  // as many as the kernel follows

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
// systems turn it off.
bool mayFollow(int folder, const struct stat& link) {
    struct stat info;
    if (fstat(folder, &info) != 0) return false;
    const bool shared = (info.st_mode & S_ISVTX) && (info.st_mode & S_IWOTH);
    return !shared || link.st_uid == geteuid() || link.st_uid == info.st_uid;
}

}  // namespace

Place::~Place() {
    if (folder >= 0) close(folder);
}

bool locate(const std::string& path, Place& place, std::string* reason, bool followLast) {
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
        if (S_ISLNK(info.st_mode) && !(last && !followLast)) {
            if (!mayFollow(place.folder, info)) {
                if (!last)
                    return fail(reason, "is behind a link owned by another user in a shared folder, not followed");
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
