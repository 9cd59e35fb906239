// The player's face: always moving forward, steered by the turn keys.
#pragma once

#include "objects/movimento.h"

class Smile : public Movimento {
public:
    Smile(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth);
};
