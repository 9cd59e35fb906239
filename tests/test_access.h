// Test-only access to what the game keeps to itself, and level files made on
// the spot so no test depends on the shipped levels.
#pragma once

#include "level/mapa.h"
#include "render/render.h"
#include "tests/headless.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

class TestAccess {
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
    // A slot's picture, for pictures a test makes in memory (freed with the Render).
    static BITMAP*& imagem(Render& r, short slot) { return r.imagens[slot]; }
};

namespace test {

// x, y, velocidade, direcao, raio, smooth
using Record = std::array<short, 6>;
// x1, y1, x2, y2
using Box = std::array<short, 4>;

struct Level {
    std::vector<Record> objects;  // player, item, Coco, Esposa, Gangster, Ladrao
    std::vector<Box> paredes;
};

inline short wallsOfLevel(short nr) { return nr == 1 ? 4 : nr == 2 ? 2 : 8; }

// Objects far apart and walls that nothing can be inside (x2 < x1), so a test
// places only what it needs.
inline Level neutralLevel(short nr) {
    Level n;
    n.objects = {Record{100, 100, 5, 0, 10, 5},  Record{500, 400, 0, 0, 10, 0},
                 Record{300, 300, 0, 0, 10, 0},  Record{500, 100, 3, 180, 10, 5},
                 Record{100, 400, 3, 90, 10, 0}, Record{300, 200, 2, 270, 10, 7}};
    n.paredes.assign(wallsOfLevel(nr), Box{10, 10, 5, 5});
    return n;
}

inline std::string levelText(const Level& n) {
    std::string s;
    for (const Record& r : n.objects) {
        for (short v : r) s += std::to_string(v) + " ";
        s += "\n";
    }
    for (const Box& c : n.paredes) {
        for (short v : c) s += std::to_string(v) + "\t";
        s += "\n";
    }
    return s;
}

// One frame of play in the game loop's order; true when the time is up.
inline bool update(Mapa& m) {
    m.capturaComando();
    return m.update();
}

// A level in a throw-away folder; the keys are let go after each test.
class WithLevel : public ::testing::Test {
protected:
    bool setUpLevel(short nr, const Level& n) {
        writeFile(levelFilePath(nr), levelText(n));
        return mapa.inicia(nr);
    }
    void TearDown() override { releaseInput(); }

    TempFolder folder;
    Mapa mapa;
};

}  // namespace test
