// Wanders: runs straight, now and then takes a random heading.
#pragma once

#include "objects/inimigo.h"

class Gangster : public Inimigo {
public:
    Gangster(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth);
    void mudarDir();

private:
    short tempoDir = 0;  // frames left before the next heading; 0 turns at once

    friend class TestAccess;  // tests read the internals
};
