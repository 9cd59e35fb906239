// Finding where a path leads by walking it a name at a time, so that every
// link on the way is judged in the folder it stands in. The writer and the
// readers of the player's own files (the ranking, the settings, the bests and
// their locks) share this walk, so a link is followed for reading exactly
// where it would be followed for writing.
#pragma once

#include <string>

// An open folder and a name in it.
struct Place {
    int folder = -1;
    std::string name;
    bool strangersLink = false;  // a link that must not be followed
    Place() = default;
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    ~Place();
};

// Walks `path`; the last name need not exist. A link is followed unless it
// stands in a sticky folder others may write in (as /tmp) and is owned by
// neither the player nor the folder's owner: anyone could have left it
// there to aim the game at the player's files. Such a link as the last name
// is reported by strangersLink; anywhere else it fails the walk. With
// `followLast` false, a link as the last name is never followed.
bool locate(const std::string& path, Place& place, std::string* reason, bool followLast = true);

// The reason given for a stranger's link that was not followed.
extern const char* const STRANGERS_LINK;
