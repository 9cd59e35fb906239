// What the four enemies share: the seconds a contact costs and their presence.
#pragma once

#include "objects/movimento.h"

class Inimigo : public Movimento {
public:
    short getDano() const { return dano; }
    bool getExiste() const { return existe; }
    void setExiste(bool e) { existe = e; }

protected:
    short dano = 0;
    bool existe = false;
};
