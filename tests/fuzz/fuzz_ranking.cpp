// libFuzzer entry: any bytes as the rank file. One Jogo with the pictures
// loaded serves every input, so the panel is really drawn.
#include "tests/fuzz/targets.h"
#include "tests/support.h"

#include <cstdlib>

namespace {
Jogo* jogo = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    teste::iniciaAllegro();
    static teste::PastaTemporaria pasta;
    teste::criaConjuntoImagens();
    static Jogo umJogo;
    if (!JogoTestAccess::render(umJogo).carregaImagens()) std::abort();
    jogo = &umJogo;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    if (!fuzz::ranking(*jogo, dados, tamanho)) std::abort();
    return 0;
}
