#include "storage/whole_file.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The rename lives in the folder: until the folder reaches the disk, a power
// cut can still bring the old file back. The new file is in place either
// way, so a failure here changes nothing for the caller.
void syncFolder(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

bool writeWholeFile(const std::string& path, const std::string& contents) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0) return false;

    // Write beside it and rename over it.
    const std::string temporary = path + ".tmp";
    FILE* f = std::fopen(temporary.c_str(), "w");
    if (!f) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    ok = ok && std::fflush(f) == 0 && fsync(fileno(f)) == 0;
    ok = std::fclose(f) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temporary.c_str());
        return false;
    }
    syncFolder(path);
    return true;
}
