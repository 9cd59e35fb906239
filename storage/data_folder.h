// Where the shipped files are: the pictures and sounds under Data/ and the
// level files beside it. Normally the working folder; when that holds no
// Data/, the folder of the program itself or the one above it (a build
// folder inside the source tree), so `build/lumo` also starts from the
// tree's root. The ranking and the settings stay in the working folder.
#pragma once

#include <string>
#include <vector>

// The first of `candidates` (folders ending in '/', or "" for the working
// folder) that holds a Data/ folder; "" when none does.
std::string findDataFolder(const std::vector<std::string>& candidates);

// Chooses the folder once, before anything shipped is read: the working
// folder, then the program's own folder, then its parent.
void chooseDataFolder();

// A shipped file ("Data/Imagens/...", "01.txt") in the chosen folder.
std::string dataPath(const std::string& relative);

// The path made absolute from the working folder, for messages.
std::string fullPath(const std::string& path);

// The message for a file the game cannot go on without: its full path and
// what to do. `problem` follows the path ("not found").
std::string unusableFileMessage(const std::string& path, const std::string& problem);
