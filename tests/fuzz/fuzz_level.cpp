// libFuzzer entry: any bytes as the level file of level 1.
#include "tests/fuzz/targets.h"
#include "tests/support.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    teste::iniciaAllegro();
    static teste::PastaTemporaria pasta;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    if (!fuzz::nivel(dados, tamanho)) std::abort();
    return 0;
}
