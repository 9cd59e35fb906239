// An object that advances along its heading.
#pragma once

#include "objects/objeto.h"

class Movimento : public Objeto {
public:
    // posicaoX, posicaoY: cosine and sine of the heading, from the level's tables.
    void movimenta(float posicaoX, float posicaoY);
};
