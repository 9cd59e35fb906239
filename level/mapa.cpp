#include "level/mapa.h"

#include <cstdio>
#include <fstream>

bool Mapa::inicia(short nr) {
    char nome[16];
    std::snprintf(nome, sizeof nome, "%02d.txt", nr);
    return std::ifstream(nome).good();
}
