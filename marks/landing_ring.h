// Where the Coco is about to land, shown as a ring on the ground before it
// comes down, so its landing is never a surprise.
#pragma once

#include "marks/drawn_spot.h"

// The ring centred where the Coco's picture will be, its top-left at (x, y).
void drawLandingRing(DrawnSpot& spot, Render& render, short x, short y);
