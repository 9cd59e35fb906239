#include "objects/esposa.h"

Esposa::Esposa(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth) {
    iniciaCampos(nX, nY, nVelocidade, nDirecao, nRaio, nSmooth);
    dano = 10;
}
