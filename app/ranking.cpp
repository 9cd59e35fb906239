// The ten best times: kept in aux2 as (minutes, seconds) pairs, lowest first,
// and in "rank.txt" as ten lines "minutes seconds".
#include "app/jogo.h"

#include <cstdio>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const ARQUIVO_RANKING = "rank.txt";

// The rename lives in the folder: until the folder reaches the disk, a power
// cut can still bring the old table back. The new table is in place either
// way, so a failure here changes nothing for the caller.
void sincronizaPasta(const std::string& arquivo) {
    const size_t barra = arquivo.rfind('/');
    const std::string pasta = barra == std::string::npos ? "." : arquivo.substr(0, barra + 1);
    const int fd = open(pasta.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

// Twenty numbers in file order; reading stops at the first that is not a
// number, and the entries from there on keep what they held.
void Jogo::leRanking() {
    std::ifstream rank(ARQUIVO_RANKING);
    for (short& entrada : aux2) {
        short lido;
        if (!(rank >> lido)) break;
        entrada = lido;
    }
}

void Jogo::ordenaSelection() {
    for (short i = 0; i < 20; i += 2) {
        short point = i;
        for (short j = 18; j >= i + 2; j -= 2) {
            if (aux2[j] < aux2[point] || (aux2[j] == aux2[point] && aux2[j + 1] < aux2[point + 1]))
                point = j;
        }
        swap(i, point);
        swap(i + 1, point + 1);
    }
}

void Jogo::swap(short i, short point) {
    short aux = aux2[i];
    aux2[i] = aux2[point];
    aux2[point] = aux;
}

// A longer time than the lowest pair takes its place; an equal one does not.
void Jogo::insereRanking() {
    const short m = mapa.getMin(), s = mapa.getSeg();
    if (m > aux2[0] || (m == aux2[0] && s > aux2[1])) {
        aux2[0] = m;
        aux2[1] = s;
    }
    ordenaSelection();
    gravaRanking(aux2, ARQUIVO_RANKING);
}

void Jogo::ranking() {
    for (short k = 0; k < 10; ++k) {
        const short y = 20 * k + 114;
        desenhaDoisDigitos(aux2[2 * k], 50, 330, y);
        render.desenhaImagemTrans(70, 362, y);
        desenhaDoisDigitos(aux2[2 * k + 1], 50, 378, y);
    }
}

bool gravaRanking(const short tabela[20], const char* arquivo) {
    // A file the player made read-only is left alone.
    struct stat info;
    if (stat(arquivo, &info) == 0 && (info.st_mode & 0222) == 0) return false;

    // Write beside it and rename over it: a crash or a full disk mid-write
    // leaves the previous table whole.
    const std::string temporario = std::string(arquivo) + ".tmp";
    FILE* f = std::fopen(temporario.c_str(), "w");
    if (!f) return false;
    bool ok = true;
    for (int k = 0; k < 10; ++k) ok = ok && std::fprintf(f, "%d %d\n", tabela[2 * k], tabela[2 * k + 1]) > 0;
    ok = ok && std::fflush(f) == 0 && fsync(fileno(f)) == 0;
    ok = std::fclose(f) == 0 && ok;
    ok = ok && std::rename(temporario.c_str(), arquivo) == 0;
    if (!ok) {
        std::remove(temporario.c_str());
        return false;
    }
    sincronizaPasta(arquivo);
    return true;
}
