// JPEG pictures decoded by libjpeg-turbo straight into Allegro bitmaps.
#pragma once

#include <allegro.h>

#include <string>

// The picture at `path` as a bitmap of the current colour depth, or null when
// the file cannot be read, is not a JPEG or is damaged: any decoder warning
// (data cut short, corrupt data) refuses it rather than show made-up rows.
// Bytes after the end-of-image marker are ignored, as editors and cameras
// sometimes append some.
BITMAP* loadJpeg(const std::string& path);
