// Chases the player.
#pragma once

#include "objects/inimigo.h"

class Esposa : public Inimigo {
public:
    Esposa(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth);
};
