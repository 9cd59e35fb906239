// Writes the full image set, each slot one flat colour, into the working directory.
#include "tests/support.h"

int main() {
    teste::iniciaAllegro();
    teste::criaConjuntoImagens();
    return 0;
}
