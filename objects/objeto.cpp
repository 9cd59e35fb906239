#include "objects/objeto.h"

#include <cmath>

void Objeto::iniciaCampos(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth) {
    x = nX;
    y = nY;
    xA = x;
    yA = y;
    velocidade = nVelocidade;
    direcao = nDirecao;
    aponta = direcao;
    raio = nRaio;
    smooth = nSmooth;
}

void Objeto::setX(float nX) {
    if (nX > 640) x = -30;
    else if (nX < -30) x = 640;
    else x = nX;
}

void Objeto::setY(float nY) {
    // The band above 70 holds the panel: objects never enter it.
    if (nY > 480) y = 70;
    else if (nY < 70) y = 480;
    else y = nY;
}

void Objeto::setDirecao(short nDirecao) {
    if (nDirecao > 359) direcao = nDirecao - 360;
    else if (nDirecao < 0) direcao = nDirecao + 360;
    else direcao = nDirecao;
}

namespace {
// Arc tangent in whole degrees, truncated; the game's pi is 3.1415.
short graus(float q) { return static_cast<short>(std::atan(q) / (3.1415 / 180)); }
}  // namespace

void Objeto::apontar(float xP, float yP) {
    float distX = std::fabs(x - xP);
    float distY = std::fabs(y - yP);
    // A target on the same row or column matches no case: aponta stays.
    if (xP > x && yP > y) aponta = graus(distY / distX);
    else if (x > xP && yP > y) aponta = graus(distX / distY) + 90;
    else if (x > xP && y > yP) aponta = graus(distY / distX) + 180;
    else if (xP > x && y > yP) aponta = graus(distX / distY) + 270;
}

void Objeto::mudaDirecaoSmooth() {
    // A plain comparison, not the shorter way round; no wrap here either.
    if (aponta > direcao) direcao = direcao + smooth;
    else direcao = direcao - smooth;
}
