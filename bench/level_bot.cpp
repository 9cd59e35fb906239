// A simple player for the level files: each frame it turns toward the item,
// unless its 40 x 40 box would run into a wall within the next frames, and
// then it turns away. It plays seeded games of each level headlessly and
// reports how long they lasted: the median and the share reaching 35 s,
// when the last enemy comes in.
//
// Usage: level_bot [--games N] [--dir FOLDER]   (FOLDER holds 01.txt..03.txt)
#include "level/mapa.h"

#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int LOOK_AHEAD = 8;        // frames of straight running checked for walls
const int BOX = 40;              // the player's box for wall hits
const int LONGEST = 5 * 60;      // seconds a game is allowed before it is cut
const int GOAL = 35;             // the Gangster comes in at 35 s

double degrees(double radians) { return radians * 180.0 / M_PI; }

bool boxInWall(const Mapa& mapa, float x, float y) {
    const float cx[] = {x, x + BOX, x, x + BOX}, cy[] = {y, y, y + BOX, y + BOX};
    for (short w = 0; w < mapa.getParedes(); ++w) {
        const Parede p = mapa.getParede(w);
        for (int k = 0; k < 4; ++k)
            if (p.getX() < cx[k] && cx[k] < p.getX2() && p.getY() < cy[k] && cy[k] < p.getY2()) return true;
    }
    return false;
}

bool avoidEnemies = false;
const int MARGIN = 6;  // pixels kept between the circles

// An enemy on the field whose circle the player's would touch at (x, y),
// the enemy running on straight for f frames.
bool enemyAt(const Mapa& mapa, const Smile& s, float x, float y, int f) {
    const Inimigo enemies[] = {mapa.getCoco(), mapa.getEsposa(), mapa.getGangster(), mapa.getLadrao()};
    for (const Inimigo& e : enemies) {
        if (!e.getExiste()) continue;
        const double a = e.getDirecao() * M_PI / 180.0;
        const bool still = &e == &enemies[0];  // the Coco only jumps
        const float ex = e.getX() + (still ? 0 : f * e.getVelocidade() * std::cos(a));
        const float ey = e.getY() + (still ? 0 : f * e.getVelocidade() * std::sin(a));
        if (std::hypot(x - ex, y - ey) < s.getRaio() + e.getRaio() + MARGIN) return true;
    }
    return false;
}

// Whether running straight at heading h meets a wall (or, when avoiding
// them, an enemy) within LOOK_AHEAD frames.
bool wallAhead(const Mapa& mapa, const Smile& s, int h) {
    const double a = h * M_PI / 180.0;
    float x = s.getX(), y = s.getY();
    for (int f = 1; f <= LOOK_AHEAD; ++f) {
        x += s.getVelocidade() * std::cos(a);
        y += s.getVelocidade() * std::sin(a);
        if (boxInWall(mapa, x, y) || (avoidEnemies && enemyAt(mapa, s, x, y, f))) return true;
    }
    return false;
}

// -1 left, +1 right, 0 straight on.
int steer(const Mapa& mapa) {
    const Smile s = mapa.getSmile();
    const Iten it = mapa.getIten();
    const int h = s.getDirecao();
    double diff = degrees(std::atan2(it.getY() - s.getY(), it.getX() - s.getX())) - h;
    while (diff > 180) diff -= 360;
    while (diff <= -180) diff += 360;
    const int towardItem = diff > 0 ? 1 : -1;
    if (wallAhead(mapa, s, h)) {
        // Away from the wall: the first side that clears, the item's side first.
        for (int k = 1; k <= 12; ++k)
            for (int side : {towardItem, -towardItem})
                if (!wallAhead(mapa, s, h + side * 15 * k)) return side;
        return towardItem;
    }
    if (std::fabs(diff) <= 7.5) return 0;
    return wallAhead(mapa, s, h + towardItem * 15) ? 0 : towardItem;
}

// What the games of a level met, summed.
struct Tally {
    long items = 0, walls = 0, hits[ENEMY_COUNT] = {};
    void add(const UpdateReport& r) {
        items += r.itemCollected;
        walls += r.wallBumps;
        for (int e = 0; e < ENEMY_COUNT; ++e) hits[e] += r.hitBy[e];
    }
};

// Seconds the game lasted, as the ranking counts them. A level of its own for
// every game, so the enemies' counters do not run on from the game before.
int play(short level, unsigned seed, Tally& tally) {
    Mapa mapa;
    if (!mapa.inicia(level)) {
        std::fprintf(stderr, "level_bot: %s could not be read\n", Mapa::arquivoNivel(level).c_str());
        std::exit(1);
    }
    srand(seed);
    for (;;) {
        const int turn = steer(mapa);
        key[KEY_RIGHT] = turn > 0;
        key[KEY_LEFT] = turn < 0;
        mapa.capturaComando();
        mapa.movimentaObjetos();
        mapa.colisao();
        tally.add(mapa.report());
        mapa.timeLine();
        mapa.contaTempo();
        const int lasted = mapa.getMin() * 60 + mapa.getSeg();
        if (mapa.contaTempoRestante() || lasted >= LONGEST) return lasted;
    }
}

}  // namespace

int main(int argc, char** argv) {
    int games = 300;
    std::string dir = ".";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--games")) games = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
        else if (!std::strcmp(argv[i], "--avoid-enemies")) avoidEnemies = std::atoi(argv[i + 1]) != 0;
    }
    if (chdir(dir.c_str()) != 0) {
        std::perror(dir.c_str());
        return 1;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    std::printf("level  games  median  reach %ds  longest   per game: items walls  Coco Esposa Ladrao Gangster\n", GOAL);
    for (short level = 1; level <= 3; ++level) {
        std::vector<int> lasted;
        Tally t;
        for (int g = 0; g < games; ++g) lasted.push_back(play(level, 1000u * level + g, t));
        std::sort(lasted.begin(), lasted.end());
        const size_t n = lasted.size();
        const double median = n % 2 ? lasted[n / 2] : (lasted[n / 2 - 1] + lasted[n / 2]) / 2.0;
        const long reached = std::count_if(lasted.begin(), lasted.end(), [](int s) { return s >= GOAL; });
        auto per = [&](long v) { return double(v) / n; };
        std::printf("%5d  %5zu  %5.1fs  %8.0f%%  %6ds  %16.1f %5.1f  %4.1f %6.1f %6.1f %8.1f\n", level, n, median,
                    100.0 * reached / n, lasted.back(), per(t.items), per(t.walls), per(t.hits[ENEMY_COCO]),
                    per(t.hits[ENEMY_ESPOSA]), per(t.hits[ENEMY_LADRAO]), per(t.hits[ENEMY_GANGSTER]));
    }
    return 0;
}
