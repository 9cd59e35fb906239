// Whole-game replay: a committed level, a fixed seed and a script of held keys
// must reproduce, update by update, the committed digest of the whole state.
//
// After a deliberate change of the game's rules, record the digest again with
//   LUMO_RECORD_REPLAY=1 ./build/tests/lumo_tests --gtest_filter='Replay*'
// and commit tests/data/replay.digest with the change.
#include <gtest/gtest.h>

#include "level/mapa.h"
#include "tests/test_access.h"

#include <allegro.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <type_traits>

namespace {

const std::string DADOS = std::string(LUMO_SOURCE_DIR) + "/tests/data/";
const int ATUALIZACOES = 4000;
const int INTERVALO = 100;  // one line of the digest per this many updates

// FNV-1a over the bytes of every value, floats by their bit patterns.
class Resumo {
public:
    template <class T>
    void junta(T valor) {
        static_assert(std::is_arithmetic<T>::value, "plain numbers only");
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &valor, sizeof(T));
        for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ull;
    }
    // Field by field: the bytes of a whole object include its padding.
    void juntaObjeto(const Objeto& o) {
        junta(o.getX());
        junta(o.getY());
        junta(o.getXA());
        junta(o.getYA());
        junta(o.getVelocidade());
        junta(o.getDirecao());
        junta(AcessoTeste::aponta(o));
        junta(o.getRaio());
    }
    uint64_t valor() const { return h; }

private:
    uint64_t h = 14695981039346656037ull;
};

void juntaEstado(Resumo& r, Mapa& m) {
    r.juntaObjeto(*AcessoTeste::smile(m));
    r.juntaObjeto(*AcessoTeste::iten(m));
    r.junta(m.getIten().getIcone());
    Inimigo* inimigos[] = {AcessoTeste::coco(m), AcessoTeste::esposa(m), AcessoTeste::gangster(m), AcessoTeste::ladrao(m)};
    for (Inimigo* i : inimigos) {
        r.juntaObjeto(*i);
        r.junta(i->getExiste());
    }
    r.junta(AcessoTeste::tempoMov(*AcessoTeste::coco(m)));
    r.junta(AcessoTeste::tempoDir(*AcessoTeste::gangster(m)));
    const int relogios[] = {m.getMili(), m.getSeg(), m.getMin(), m.getMiliD(), m.getSegD(), m.getMinD()};
    for (int v : relogios) r.junta(v);
    r.junta(AcessoTeste::tempo(m));
}

// The held keys of update u: turns of different lengths both ways, both groups
// held together now and then, and stretches of running straight.
void seguraTeclas(int u) {
    const int fase = u % 97;
    key[KEY_RIGHT] = fase < 6;
    key[KEY_A] = fase >= 30 && fase < 33;
    key[KEY_LEFT] = (fase >= 31 && fase < 34) || (fase >= 60 && fase < 71);
    key[KEY_D] = (u / 97) % 3 == 1 && fase >= 80 && fase < 84;
}

// Plays level nr of the file `arquivo` and returns one digest line per interval.
std::vector<std::string> joga(const std::string& arquivo, short nr, unsigned semente) {
    teste::escreveArquivo(levelFilePath(nr), teste::leArquivo(DADOS + arquivo));
    Mapa mapa;
    std::vector<std::string> linhas;
    if (!mapa.inicia(nr)) {
        ADD_FAILURE() << arquivo << " did not load";
        return linhas;
    }
    srand(semente);
    // The first picture was drawn at creation, before the seed: draw it again.
    AcessoTeste::iten(mapa)->mudaIcone();
    mapa.setMinD(1);  // long enough for all four enemies
    Resumo resumo;
    for (int u = 1; u <= ATUALIZACOES; ++u) {
        seguraTeclas(u);
        if (teste::atualiza(mapa)) mapa.setSegD(40);
        juntaEstado(resumo, mapa);
        if (u % INTERVALO == 0 || u == ATUALIZACOES) {
            std::ostringstream linha;
            linha << arquivo << " " << u << " " << std::hex << resumo.valor();
            linhas.push_back(linha.str());
        }
    }
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    EXPECT_TRUE(mapa.getGangster().getExiste()) << arquivo << ": the replay should bring in every enemy";
    return linhas;
}

TEST(Replay, ReproducesTheRecordedGames) {
    teste::PastaTemporaria pasta;
    std::vector<std::string> linhas;
    const char* arquivos[] = {"replay1.txt", "replay2.txt", "replay3.txt"};
    for (short nr = 1; nr <= 3; ++nr) {
        std::vector<std::string> jogo = joga(arquivos[nr - 1], nr, 1000u + nr);
        linhas.insert(linhas.end(), jogo.begin(), jogo.end());
    }
    const std::string digest = DADOS + "replay.digest";
    if (std::getenv("LUMO_RECORD_REPLAY")) {
        std::ofstream saida(digest);
        for (const std::string& l : linhas) saida << l << "\n";
        GTEST_SKIP() << "recorded " << digest;
    }
    std::ifstream entrada(digest);
    ASSERT_TRUE(entrada) << "missing " << digest;
    std::vector<std::string> gravadas;
    for (std::string l; std::getline(entrada, l);)
        if (!l.empty()) gravadas.push_back(l);
    ASSERT_EQ(gravadas.size(), linhas.size());
    for (size_t i = 0; i < linhas.size(); ++i)
        ASSERT_EQ(linhas[i], gravadas[i]) << "first difference at line " << i + 1;
}

}  // namespace
