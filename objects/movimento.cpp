#include "objects/movimento.h"

void Movimento::movimenta(float posicaoX, float posicaoY) {
    setX(static_cast<float>(static_cast<double>(x) + static_cast<double>(velocidade) * posicaoX));
    setY(static_cast<float>(static_cast<double>(y) + static_cast<double>(velocidade) * posicaoY));
}
