// Writing a small file so that a crash, a full disk or a power cut leaves
// either the old contents or the new ones, never a mix. Used for the ranking,
// the settings and the level bests.
#pragma once

#include <string>

// Replaces the file at `path` with `contents`: written beside it under a
// name of this process's own and renamed over it, keeping its mode, and its
// owner and group where the system lets the player give them. A symbolic
// link stays a link and the file it points to is replaced, except a link
// someone else left in a shared sticky folder (as /tmp): that one is never
// followed, and is replaced itself where the folder allows. A file the
// player may not write, or one without any write permission bit (the
// player's choice), is left alone. Where the folder takes no new file, or
// the file's owner could not be kept, a writable file is rewritten in
// place. The player's own temporary files of this name that a killed save
// left behind a minute or more ago are removed first. False, with `reason`
// set, when the file was not written.
bool writeWholeFile(const std::string& path, const std::string& contents, std::string* reason = nullptr);

// Creates the file at `path` with `contents`, whole or not at all; never
// replaces anything already there ("already exists"), a link included.
bool writeNewFile(const std::string& path, const std::string& contents, std::string* reason = nullptr);

// Removes the temporary file of a write under way, if any. Safe in a signal
// handler, or anywhere just before _exit.
void removeUnfinishedWrite();
