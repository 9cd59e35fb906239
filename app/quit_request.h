// The player or the system asking the program to end: the window's close
// button, SIGTERM, SIGINT or SIGHUP. The handlers only raise a flag; every
// loop reads it and ends as Escape and the exit button do, so a game under
// way still counts.
#pragma once

// Replaces Allegro's handlers for the three polite signals (its handlers for
// crashes stay) and takes the close button; at exit, closes a message box a
// signal left on screen. Call after Allegro's start-up.
void installQuitHandlers();
// Ends the process at once, status 0, when the X server goes away: nothing
// more can be shown and every Xlib call would fail or wait forever.
void installDisplayLossHandler();

bool quitRequested();
void requestQuit();
