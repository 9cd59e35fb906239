// The window's icon, from the same picture as the desktop entry's.
#pragma once

extern const char* const* const lumoIcon;
