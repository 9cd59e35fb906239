// Jumps to a random place, waits there a random while, jumps again.
#pragma once

#include "objects/inimigo.h"

class Coco : public Inimigo {
public:
    Coco(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth);
    void mover();

private:
    short TempoMov = 0;  // frames left before the next jump; 0 jumps at once

    friend class TestAccess;  // tests read the internals
};
