// Allegro's start, tried again for a short while when a display is named.
// An X server closes a connection made while it resets (as one does when
// its last client leaves), and a desktop can be slow to take one at login.
#pragma once

bool startAllegro();
