// The message box, the one way the game shows a problem in a window. The
// modules below app/ only report on stderr (storage/messages.h) and hand
// the text up.
#pragma once

#include <string>

void showMessageBox(const std::string& text);

// On stderr and in a box: a problem the player must see before going on.
void reportAndShow(const std::string& text);
