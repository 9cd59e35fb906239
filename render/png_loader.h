// PNG pictures through loadpng, read from a regular file of a picture's size
// whose header claims no more than a picture of the game needs.
#pragma once

#include <allegro.h>

#include <string>

// The picture at `path` as a bitmap, or null when the file is no regular
// file, is too large, or is not a whole PNG.
BITMAP* loadPng(const std::string& path);
