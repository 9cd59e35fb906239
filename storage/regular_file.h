// Files the game reads are regular files: a pipe, a device or a folder in
// their place is refused at once, never waited on.
#pragma once

#include <cstddef>
#include <string>

// Opens `path` read-only when it is a regular file, never blocking on a pipe or a device: the descriptor,
// or -1 with `reason` set ("is a folder", "is a named pipe", "is a device", or strerror's text).
int openRegularFile(const std::string& path, std::string* reason = nullptr);
// The whole of a regular file of at most maxBytes; false with `reason` set.
bool readRegularFile(const std::string& path, std::string& contents, size_t maxBytes, std::string* reason = nullptr);
