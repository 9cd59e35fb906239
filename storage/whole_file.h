// Writing a small file so that a crash, a full disk or a power cut leaves
// either the old contents or the new ones, never a mix. Used for the ranking
// and the settings.
#pragma once

#include <string>

// Replaces the file at `path` with `contents`. A file the player made
// read-only is left alone. False when the file could not be replaced.
bool writeWholeFile(const std::string& path, const std::string& contents);
