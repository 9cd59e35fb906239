#include "objects/smile.h"

Smile::Smile(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth) {
    iniciaCampos(nX, nY, nVelocidade, nDirecao, nRaio, nSmooth);
}
