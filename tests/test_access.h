// Test-only access to what the game keeps to itself, and level files made on
// the spot so no test depends on the shipped levels.
#pragma once

#include "level/mapa.h"
#include "tests/support.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

class AcessoTeste {
public:
    static short aponta(const Objeto& o) { return o.aponta; }
    static short smooth(const Objeto& o) { return o.smooth; }
    static short& tempoMov(Coco& c) { return c.TempoMov; }
    static short& tempoDir(Gangster& g) { return g.tempoDir; }

    static Smile* smile(Mapa& m) { return m.smile; }
    static Iten* iten(Mapa& m) { return m.iten; }
    static Coco* coco(Mapa& m) { return m.coco; }
    static Esposa* esposa(Mapa& m) { return m.esposa; }
    static Gangster* gangster(Mapa& m) { return m.gangster; }
    static Ladrao* ladrao(Mapa& m) { return m.ladrao; }
    static float posicaoX(const Mapa& m, int d) { return m.posicaoX[d]; }
    static float posicaoY(const Mapa& m, int d) { return m.posicaoY[d]; }
    static short& tempo(Mapa& m) { return m.tempo; }
    static short aux(const Mapa& m) { return m.aux; }
    static float distX(const Mapa& m) { return m.distX; }
    static float distY(const Mapa& m) { return m.distY; }
};

namespace teste {

// x, y, velocidade, direcao, raio, smooth
using Registro = std::array<short, 6>;
// x1, y1, x2, y2
using Caixa = std::array<short, 4>;

struct Nivel {
    std::vector<Registro> objetos;  // player, item, Coco, Esposa, Gangster, Ladrao
    std::vector<Caixa> paredes;
};

inline short paredesDoNivel(short nr) { return nr == 1 ? 4 : nr == 2 ? 2 : 8; }

// Objects far apart and walls that nothing can be inside (x2 < x1), so a test
// places only what it needs.
inline Nivel nivelNeutro(short nr) {
    Nivel n;
    n.objetos = {Registro{100, 100, 5, 0, 10, 5},  Registro{500, 400, 0, 0, 10, 0},
                 Registro{300, 300, 0, 0, 10, 0},  Registro{500, 100, 3, 180, 10, 5},
                 Registro{100, 400, 3, 90, 10, 0}, Registro{300, 200, 2, 270, 10, 7}};
    n.paredes.assign(paredesDoNivel(nr), Caixa{10, 10, 5, 5});
    return n;
}

inline std::string textoNivel(const Nivel& n) {
    std::string s;
    for (const Registro& r : n.objetos) {
        for (short v : r) s += std::to_string(v) + " ";
        s += "\n";
    }
    for (const Caixa& c : n.paredes) {
        for (short v : c) s += std::to_string(v) + "\t";
        s += "\n";
    }
    return s;
}

// One frame of play in the game loop's order; true when the time is up.
inline bool atualiza(Mapa& m) {
    m.capturaComando();
    return m.update();
}

// A level in a throw-away folder; the keys are let go after each test.
class ComNivel : public ::testing::Test {
protected:
    bool prepara(short nr, const Nivel& n) {
        escreveArquivo(levelFilePath(nr), textoNivel(n));
        return mapa.inicia(nr);
    }
    void TearDown() override {
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    }

    PastaTemporaria pasta;
    Mapa mapa;
};

}  // namespace teste
