// Chases the item and sends it elsewhere on reaching it.
#pragma once

#include "objects/inimigo.h"

class Ladrao : public Inimigo {
public:
    Ladrao(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth);
};
