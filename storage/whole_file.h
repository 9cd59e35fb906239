// Writing a small file so that a crash, a full disk or a power cut leaves
// either the old contents or the new ones, never a mix. Used for the ranking
// and the settings.
#pragma once

#include <string>

// Replaces the file at `path` with `contents`: written beside it under a
// name of this process's own and renamed over it, keeping its mode. A
// symbolic link stays a link and the file it points to is replaced. Where
// the folder cannot take a new file, an existing writable file is rewritten
// in place. A file without any write permission bit is the player's choice
// and is left alone. False when the file could not be written, with the
// system's reason in `reason` when one is given.
bool writeWholeFile(const std::string& path, const std::string& contents, std::string* reason = nullptr);
