// A wall: an open axis-aligned rectangle from (x, y) to (x2, y2), window pixels.
// Only a collision shape; the level's background picture shows it.
#pragma once

#include "objects/objeto.h"

class Parede : public Objeto {
public:
    void iniciaParede(short nX1, short nY1, short nX2, short nY2);
    short getX2() const { return x2; }
    short getY2() const { return y2; }

private:
    short x2 = 0, y2 = 0;
};
