// The collectable item: waits in place until touched, then moves elsewhere
// with a new picture.
#pragma once

#include "objects/objeto.h"

class Iten : public Objeto {
public:
    // Draws the first picture here so the item can be drawn before it is collected.
    Iten(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth);
    void mudaPosicao();
    void mudaIcone();
    short getIcone() const { return icone; }

private:
    short icone = 0;  // picture 0..4, image slot 30 + icone
};
