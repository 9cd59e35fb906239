// The small marker on the face's rim that points where the face is going,
// so the start and each bounce read at a glance. Drawn after the face and
// erased with it every frame.
#pragma once

#include "marks/drawn_spot.h"

struct HeadingPlace {
    short index;   // which of the 16 pictures: index * 22.5 degrees
    short dx, dy;  // the marker's centre from the face's top-left
};

// The nearest of the 16 directions to a heading in degrees (0 right, 90
// down, any value however far out of range), and where its marker's centre
// goes: on the rim of a face of side faceSize, along that direction.
HeadingPlace headingPlace(short heading, short faceSize);

// Draws the marker for a face whose top-left is (faceX, faceY).
void drawHeadingMarker(DrawnSpot& spot, Render& render, short heading, short faceX, short faceY);
