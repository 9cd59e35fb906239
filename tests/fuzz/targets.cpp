#include "tests/fuzz/targets.h"

#include "tests/support.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

namespace {

void grava(const char* arquivo, const uint8_t* dados, size_t tamanho) {
    teste::escreveArquivo(arquivo, std::string(reinterpret_cast<const char*>(dados), tamanho));
}

// Turn keys held in stretches, Escape never: the frames run to the count.
void joga(Jogo& jogo, int quadros) {
    for (int q = 0; q < quadros; ++q) {
        key[KEY_RIGHT] = (q / 17) % 3 == 0;
        key[KEY_LEFT] = (q / 17) % 3 == 1;
        JogoTestAccess::frame(jogo);
    }
    key[KEY_RIGHT] = key[KEY_LEFT] = 0;
}

std::vector<short> tabela(const Jogo& jogo) {
    return {JogoTestAccess::ranking(jogo), JogoTestAccess::ranking(jogo) + 20};
}

bool ordenada(const std::vector<short>& t) {
    for (int k = 2; k < 20; k += 2)
        if (t[k] < t[k - 2] || (t[k] == t[k - 2] && t[k + 1] < t[k - 1])) return false;
    return true;
}

}  // namespace

bool nivel(const uint8_t* dados, size_t tamanho) {
    grava("01.txt", dados, tamanho);
    Jogo jogo;
    if (!JogoTestAccess::startLevel(jogo, 1)) {
        // A refused level leaves no objects behind to draw or move.
        return JogoTestAccess::mapa(jogo).getParedes() == 0;
    }
    // The same input always plays the same game.
    srand(static_cast<unsigned>(tamanho));
    JogoTestAccess::drawBackground(jogo);
    joga(jogo, 200);
    if (!JogoTestAccess::startLevel(jogo, 1)) return false;  // the file did not change
    JogoTestAccess::drawBackground(jogo);
    joga(jogo, 100);
    return true;
}

bool ranking(Jogo& jogo, const uint8_t* dados, size_t tamanho) {
    // A table of zeros first: what a short file leaves unread must not
    // depend on the input before.
    teste::escreveArquivo("rank.txt", "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
    JogoTestAccess::openMenu(jogo);
    grava("rank.txt", dados, tamanho);
    JogoTestAccess::openMenu(jogo);
    if (!ordenada(tabela(jogo))) return false;

    const short minutos = static_cast<short>(tamanho % 101), segundos = static_cast<short>(tamanho % 60);
    JogoTestAccess::mapa(jogo).setMin(minutos);
    JogoTestAccess::mapa(jogo).setSeg(segundos);
    const std::vector<short> antes = tabela(jogo);
    jogo.ordenaSelection();
    jogo.insereRanking();
    const std::vector<short> depois = tabela(jogo);
    if (!ordenada(depois)) return false;
    // Longer than the lowest: it is in the table; otherwise nothing changed.
    const bool entra = minutos > antes[0] || (minutos == antes[0] && segundos > antes[1]);
    bool presente = false;
    for (int k = 0; k < 20; k += 2) presente = presente || (depois[k] == minutos && depois[k + 1] == segundos);
    if (entra ? !presente : depois != antes) return false;
    jogo.ranking();

    Jogo outro;
    JogoTestAccess::openMenu(outro);
    return tabela(outro) == depois;
}

}  // namespace fuzz
