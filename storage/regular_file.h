// Reading only plain files: a named pipe or a device put where the game
// expects a picture, a sound, a level or a table would block the open or
// feed it without end, and a folder opens too on some readers.
#pragma once

#include <cstddef>
#include <string>

// Opens `path` read-only when it is a regular file, never blocking on a pipe or a device: the descriptor,
// or -1 with `reason` set ("is a folder", "is a named pipe", "is a device", or strerror's text).
int openRegularFile(const std::string& path, std::string* reason = nullptr);
// The whole of a regular file of at most maxBytes; false with `reason` set.
bool readRegularFile(const std::string& path, std::string& contents, size_t maxBytes, std::string* reason = nullptr);
// Whether a reason given above means that nothing stands at the path.
bool isNotFound(const std::string& reason);
