#include "objects/parede.h"

void Parede::iniciaParede(short nX1, short nY1, short nX2, short nY2) {
    x = nX1;
    y = nY1;
    x2 = nX2;
    y2 = nY2;
}
