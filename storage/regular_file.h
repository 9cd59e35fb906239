// Reading only plain files: a named pipe or a device put where the game
// expects a picture, a sound, a level or a table would block the open or
// feed it without end, and a folder opens too on some readers.
#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// Opens `path` read-only when it is a regular file, never blocking on a pipe
// or a device: the descriptor, or -1 with `reason` set ("not found", "is a
// named pipe, not a regular file", "cannot be opened: permission denied",
// "cannot be opened: too many open files", ...). Links are followed: the
// shipped files may be links.
int openRegularFile(const std::string& path, std::string* reason = nullptr);
// The whole of a regular file of at most maxBytes; false with `reason` set.
bool readRegularFile(const std::string& path, std::string& contents, size_t maxBytes, std::string* reason = nullptr);

// The same for a file the game also writes (the ranking, the settings, the
// bests): a link is followed only where the writer would follow it, so a
// link another user left in a shared sticky folder reads as absent, with
// the reason STRANGERS_LINK. With `cut` given, a file over maxBytes gives its
// first maxBytes and sets *cut, instead of failing.
int openPlayerFile(const std::string& path, std::string* reason = nullptr);
bool readPlayerFile(const std::string& path, std::string& contents, size_t maxBytes, std::string* reason = nullptr,
                    bool* cut = nullptr);

// Whether a reason given above means that nothing stands at the path.
bool isNotFound(const std::string& reason);
// Whether the file reads as absent: nothing there, or a stranger's link.
bool readsAsAbsent(const std::string& reason);
// "is a folder, not a regular file", and so on for each kind.
std::string notRegularFile(mode_t mode);
