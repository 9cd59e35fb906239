#include "marks/heading_marker.h"

#include "level/mapa.h"

#include <cmath>

namespace {

const short DIRECTIONS = 16;

}  // namespace

HeadingPlace headingPlace(short heading, short faceSize) {
    // Nearest of the steps of 22.5 degrees, in whole numbers: no whole
    // degree lies halfway between two of them.
    const short index = (Mapa::indiceDirecao(heading) * 2 + 22) / 45 % DIRECTIONS;
    const double angle = index * (2 * M_PI / DIRECTIONS);
    const double radius = faceSize / 2.0;
    return {index, static_cast<short>(std::lround(radius + radius * std::cos(angle))),
            static_cast<short>(std::lround(radius + radius * std::sin(angle)))};
}

void drawHeadingMarker(DrawnSpot& spot, Render& render, short heading, short faceX, short faceY) {
    const BITMAP* face = render.imagem(SLOT_FACE);
    if (!face) return;
    const HeadingPlace place = headingPlace(heading, face->w);
    spot.drawCentred(render, SLOT_HEADING + place.index, faceX + place.dx, faceY + place.dy);
}
