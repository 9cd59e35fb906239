// Every problem the game reports reaches stderr through here, one line per
// failure with "lumo: " first and any file named by its full path, so a
// player can search for it and a script can pick it out.
#pragma once

#include <string>

// "lumo: <text>", a text of several lines joined into one by "; ".
void reportProblem(const std::string& text);
// "lumo: <full path> <problem>", as in "/home/p/lumo/rank.txt is a named pipe".
void reportFileProblem(const std::string& path, const std::string& problem);
