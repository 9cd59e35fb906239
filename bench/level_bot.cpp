// Players for the level files, each playing seeded games of each level
// headlessly and reporting how long they lasted: the median and the shares
// reaching 25 s and 35 s (when the last enemy comes in).
//
//   expert  turns toward the item at once each frame, unless its 40 x 40 box
//           would run into a wall within the next frames, and then turns away;
//           with --avoid-enemies 1 it also keeps clear of the enemies.
//   new     a new player: sees every place as it was REACTION updates ago and
//           turns 15 degrees a frame toward a wanted heading (the item, or
//           away from a near enemy, or round a wall seen coming).
//   idle    never touches a key.
//
// Usage: level_bot [--player expert|new|idle] [--avoid-enemies 0|1]
//                  [--games N] [--level N] [--dir FOLDER]   (FOLDER holds 01.txt..03.txt)
#include "level/mapa.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

const int LOOK_AHEAD = 8;        // frames of straight running the expert checks for walls
const int BOX = 40;              // the player's box for wall hits
const int LONGEST = 5 * 60;      // seconds a game is allowed before it is cut
const int GOALS[] = {25, 35};    // shares reported: 35 s is when the Gangster comes in

// The new player.
const int REACTION = 7;          // updates between a place and its being seen
const int TURN = 15;             // degrees a held key turns in a frame
const int NEAR_ENEMY = 90;       // pixels at which an enemy is fled from
const int WALL_WARNING = 20;     // updates of straight running looked at for walls
const int DETOURS[] = {45, 90, 135};

double degrees(double radians) { return radians * 180.0 / M_PI; }

// An angle brought into -180..180.
double wrapped(double a) {
    while (a > 180) a -= 360;
    while (a <= -180) a += 360;
    return a;
}

double headingTo(float fromX, float fromY, float toX, float toY) {
    return degrees(std::atan2(toY - fromY, toX - fromX));
}

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

// Whether the face at (x, y), running straight at heading h and its speed,
// meets a wall (or, for the expert avoiding them, an enemy) within `frames`
// updates. Neither player thinks of the field's wrap-around edges.
bool blocked(const Mapa& mapa, float x, float y, double h, int frames, bool enemies) {
    const Smile s = mapa.getSmile();
    const double a = h * M_PI / 180.0;
    for (int f = 1; f <= frames; ++f) {
        x += s.getVelocidade() * std::cos(a);
        y += s.getVelocidade() * std::sin(a);
        if (boxInWall(mapa, x, y) || (enemies && enemyAt(mapa, s, x, y, f))) return true;
    }
    return false;
}

// The expert: -1 left, +1 right, 0 straight on.
int expertSteer(const Mapa& mapa) {
    const Smile s = mapa.getSmile();
    const Iten it = mapa.getIten();
    const int h = s.getDirecao();
    const double diff = wrapped(headingTo(s.getX(), s.getY(), it.getX(), it.getY()) - h);
    const int towardItem = diff > 0 ? 1 : -1;
    auto ahead = [&](int heading) { return blocked(mapa, s.getX(), s.getY(), heading, LOOK_AHEAD, avoidEnemies); };
    if (ahead(h)) {
        // Away from the wall: the first side that clears, the item's side first.
        for (int k = 1; k <= 12; ++k)
            for (int side : {towardItem, -towardItem})
                if (!ahead(h + side * 15 * k)) return side;
        return towardItem;
    }
    if (std::fabs(diff) <= 7.5) return 0;
    return ahead(h + towardItem * 15) ? 0 : towardItem;
}

// What the new player sees of an update: the face, the item and the enemies
// present, by the places the circle tests use.
struct Sight {
    float x[6], y[6];
    bool present[6];
};

Sight look(const Mapa& mapa) {
    const Objeto all[] = {mapa.getSmile(), mapa.getIten(), mapa.getCoco(), mapa.getEsposa(), mapa.getGangster(),
                          mapa.getLadrao()};
    const bool present[] = {true, true, mapa.getCoco().getExiste(), mapa.getEsposa().getExiste(),
                            mapa.getGangster().getExiste(), mapa.getLadrao().getExiste()};
    Sight s;
    for (int i = 0; i < 6; ++i) {
        s.x[i] = all[i].getX();
        s.y[i] = all[i].getY();
        s.present[i] = present[i];
    }
    return s;
}

// The new player: -1 left, +1 right, 0 no key. `seen` is what it sees now,
// the places of REACTION updates ago; its heading it knows as it is.
int newPlayerSteer(const Mapa& mapa, const Sight& seen) {
    const int h = mapa.getSmile().getDirecao();
    const float fx = seen.x[0], fy = seen.y[0];
    double wanted = headingTo(fx, fy, seen.x[1], seen.y[1]);
    double nearest = NEAR_ENEMY;
    for (int e = 2; e < 6; ++e) {
        const double d = std::hypot(fx - seen.x[e], fy - seen.y[e]);
        if (seen.present[e] && d < nearest) {
            nearest = d;
            wanted = headingTo(seen.x[e], seen.y[e], fx, fy);
        }
    }
    auto clear = [&](double heading) { return !blocked(mapa, fx, fy, heading, WALL_WARNING, false); };
    // The nearest detour that runs clear, on the side of the heading wanted
    // first; about turn when none does.
    auto detour = [&]() -> double {
        const int side = wrapped(wanted - h) >= 0 ? 1 : -1;
        for (int turn : DETOURS)
            for (int s : {side, -side})
                if (clear(h + s * turn)) return h + s * turn;
        return h + 180;
    };
    if (!clear(h)) wanted = detour();
    const double diff = wrapped(wanted - h);
    if (std::fabs(diff) <= TURN) return 0;
    return diff > 0 ? 1 : -1;
}

enum class Player { Expert, New, Idle };

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
int play(Player player, short level, unsigned seed, Tally& tally) {
    Mapa mapa;
    LevelProblem problem;
    if (!mapa.inicia(level, &problem)) {
        std::fprintf(stderr, "level_bot: %s\n", levelProblemMessage(problem).c_str());
        std::exit(1);
    }
    srand(seed);
    std::deque<Sight> sights;
    for (;;) {
        sights.push_back(look(mapa));
        if (sights.size() > REACTION + 1) sights.pop_front();
        const int turn = player == Player::Expert ? expertSteer(mapa)
                         : player == Player::New  ? newPlayerSteer(mapa, sights.front())
                                                  : 0;
        mapa.capturaComando(turn > 0, turn < 0);
        const bool timeUp = mapa.update();
        tally.add(mapa.report());
        const int lasted = mapa.getMin() * 60 + mapa.getSeg();
        if (timeUp || lasted >= LONGEST) return lasted;
    }
}

}  // namespace

int main(int argc, char** argv) {
    int games = 300, onlyLevel = 0;
    Player player = Player::Expert;
    std::string dir = ".";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string value = argv[i + 1];
        if (!std::strcmp(argv[i], "--games")) games = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--dir")) dir = value;
        else if (!std::strcmp(argv[i], "--level")) onlyLevel = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--avoid-enemies")) avoidEnemies = std::atoi(argv[i + 1]) != 0;
        else if (!std::strcmp(argv[i], "--player")) {
            if (value != "expert" && value != "new" && value != "idle") {
                std::fprintf(stderr, "level_bot: --player is expert, new or idle, not %s\n", value.c_str());
                return 2;
            }
            player = value == "new" ? Player::New : value == "idle" ? Player::Idle : Player::Expert;
        }
    }
    if (chdir(dir.c_str()) != 0) {
        std::perror(dir.c_str());
        return 1;
    }
    std::printf("level  games  median  reach %ds  reach %ds  shortest  longest   per game: items walls  Coco Esposa Ladrao "
                "Gangster\n", GOALS[0], GOALS[1]);
    for (short level = 1; level <= 3; ++level) {
        if (onlyLevel && level != onlyLevel) continue;
        std::vector<int> lasted;
        Tally t;
        for (int g = 0; g < games; ++g) lasted.push_back(play(player, level, 1000u * level + g, t));
        std::sort(lasted.begin(), lasted.end());
        const size_t n = lasted.size();
        const double median = n % 2 ? lasted[n / 2] : (lasted[n / 2 - 1] + lasted[n / 2]) / 2.0;
        auto share = [&](int goal) {
            return 100.0 * std::count_if(lasted.begin(), lasted.end(), [&](int s) { return s >= goal; }) / n;
        };
        auto per = [&](long v) { return double(v) / n; };
        std::printf("%5d  %5zu  %5.1fs  %8.0f%%  %8.0f%%  %7ds  %6ds  %16.1f %5.1f  %4.1f %6.1f %6.1f %8.1f\n", level, n,
                    median, share(GOALS[0]), share(GOALS[1]), lasted.front(), lasted.back(), per(t.items), per(t.walls), per(t.hits[ENEMY_COCO]),
                    per(t.hits[ENEMY_ESPOSA]), per(t.hits[ENEMY_LADRAO]), per(t.hits[ENEMY_GANGSTER]));
    }
    return 0;
}
