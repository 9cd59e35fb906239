// libFuzzer entry: any bytes as the rank file. One Jogo with the pictures
// loaded serves every input, so the panel is really drawn.
#include "tests/fuzz/targets.h"
#include "tests/support.h"

#include <cstdlib>

namespace {
Jogo* jogo = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    test::startAllegro();
    static test::TempFolder folder;
    test::makeImageSet();
    static Jogo oneGame;
    if (!JogoTestAccess::render(oneGame).carregaImagens()) std::abort();
    jogo = &oneGame;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzz::ranking(*jogo, data, size)) std::abort();
    return 0;
}
