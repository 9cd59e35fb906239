#include "objects/gangster.h"

#include <cstdlib>
#include <ctime>

Gangster::Gangster(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth) {
    srand(time(nullptr));
    iniciaCampos(nX, nY, nVelocidade, nDirecao, nRaio, nSmooth);
    dano = 20;
}

void Gangster::mudarDir() {
    if (tempoDir > 0) {
        tempoDir = tempoDir - 1;
        return;
    }
    direcao = rand() % 359;
    tempoDir = rand() % 200 + 200;
}
