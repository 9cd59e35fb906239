#include "objects/iten.h"

#include <cstdlib>

Iten::Iten(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth) {
    iniciaCampos(nX, nY, nVelocidade, nDirecao, nRaio, nSmooth);
    mudaIcone();
}

// Walls are not looked at here; the level retries while the place is bad.
void Iten::mudaPosicao() {
    x = rand() % 600 + 20;
    y = rand() % 350 + 80;
}

void Iten::mudaIcone() { icone = rand() % 5; }
