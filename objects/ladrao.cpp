#include "objects/ladrao.h"

Ladrao::Ladrao(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth) {
    iniciaCampos(nX, nY, nVelocidade, nDirecao, nRaio, nSmooth);
    dano = 5;
}
