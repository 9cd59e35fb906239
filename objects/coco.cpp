#include "objects/coco.h"

#include <cstdlib>
#include <ctime>

Coco::Coco(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth) {
    srand(time(nullptr));
    iniciaCampos(nX, nY, nVelocidade, nDirecao, nRaio, nSmooth);
    dano = 10;
}

void Coco::mover() {
    if (TempoMov > 0) {
        TempoMov = TempoMov - 1;
        return;
    }
    // Written directly and xA, yA left alone: the level sees the jump by the difference.
    x = rand() % 580 + 40;
    y = rand() % 400 + 80;
    TempoMov = rand() % 200 + 200;
}
