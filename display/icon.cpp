#include "display/icon.h"

// Written by art/build.sh from art/lumo.png.
#include "display/lumo_icon.xpm"

const char* const* const lumoIcon = lumoIconXpm;
