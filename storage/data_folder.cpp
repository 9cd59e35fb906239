#include "storage/data_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::string chosen;  // "" until chooseDataFolder finds another

bool holdsData(const std::string& folder) {
    struct stat info;
    return stat((folder + "Data").c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder part of a path, with its slash.
std::string parentOf(const std::string& path) { return path.substr(0, path.rfind('/', path.size() - 2) + 1); }

std::string programFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? parentOf(std::string(path, n)) : "";
}

}  // namespace

std::string fullPath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char here[4096];
    return getcwd(here, sizeof here) ? std::string(here) + "/" + path : path;
}

std::string findDataFolder(const std::vector<std::string>& candidates) {
    for (const std::string& folder : candidates)
        if (holdsData(folder)) return folder;
    return "";
}

void chooseDataFolder() {
    const std::string program = programFolder();
    chosen = program.empty() ? "" : findDataFolder({"", program, parentOf(program)});
}

std::string dataPath(const std::string& relative) { return chosen + relative; }

std::string unusableFileMessage(const std::string& path, const std::string& problem) {
    // Only a missing file suggests the game was started from the wrong folder.
    struct stat info;
    const bool missing = stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
    const std::string hint = missing ? "\nrun lumo from the folder that holds Data/, or use the installed lumo" : "";
    return fullPath(path) + " " + problem + hint;
}
