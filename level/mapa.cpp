#include "level/mapa.h"

bool Mapa::inicia(short) { return true; }
