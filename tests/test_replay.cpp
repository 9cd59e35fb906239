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

const std::string DATA = std::string(LUMO_SOURCE_DIR) + "/tests/data/";
const int UPDATES = 4000;
const int INTERVAL = 100;  // one line of the digest per this many updates

// FNV-1a over the bytes of every value, floats by their bit patterns.
class Digest {
public:
    template <class T>
    void add(T valor) {
        static_assert(std::is_arithmetic<T>::value, "plain numbers only");
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &valor, sizeof(T));
        for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ull;
    }
    // Field by field: the bytes of a whole object include its padding.
    void addObject(const Objeto& o) {
        add(o.getX());
        add(o.getY());
        add(o.getXA());
        add(o.getYA());
        add(o.getVelocidade());
        add(o.getDirecao());
        add(TestAccess::aponta(o));
        add(o.getRaio());
    }
    uint64_t valor() const { return h; }

private:
    uint64_t h = 14695981039346656037ull;
};

void addState(Digest& r, Mapa& m) {
    r.addObject(*TestAccess::smile(m));
    r.addObject(*TestAccess::iten(m));
    r.add(m.getIten().getIcone());
    Inimigo* enemies[] = {TestAccess::coco(m), TestAccess::esposa(m), TestAccess::gangster(m), TestAccess::ladrao(m)};
    for (Inimigo* i : enemies) {
        r.addObject(*i);
        r.add(i->getExiste());
    }
    r.add(TestAccess::tempoMov(*TestAccess::coco(m)));
    r.add(TestAccess::tempoDir(*TestAccess::gangster(m)));
    const int clocks[] = {m.getMili(), m.getSeg(), m.getMin(), m.getMiliD(), m.getSegD(), m.getMinD()};
    for (int v : clocks) r.add(v);
    r.add(TestAccess::tempo(m));
}

// The held keys of update u: turns of different lengths both ways, both groups
// held together now and then, and stretches of running straight.
void holdKeys(int u) {
    const int phase = u % 97;
    key[KEY_RIGHT] = phase < 6;
    key[KEY_A] = phase >= 30 && phase < 33;
    key[KEY_LEFT] = (phase >= 31 && phase < 34) || (phase >= 60 && phase < 71);
    key[KEY_D] = (u / 97) % 3 == 1 && phase >= 80 && phase < 84;
}

// Plays level nr of the file `file` and returns one digest line per interval.
std::vector<std::string> play(const std::string& file, short nr, unsigned seed) {
    test::writeFile(levelFilePath(nr), test::readFile(DATA + file));
    Mapa mapa;
    std::vector<std::string> lines;
    if (!mapa.inicia(nr)) {
        ADD_FAILURE() << file << " did not load";
        return lines;
    }
    srand(seed);
    // The first picture was drawn at creation, before the seed: draw it again.
    TestAccess::iten(mapa)->mudaIcone();
    mapa.setMinD(1);  // long enough for all four enemies
    Digest digest;
    for (int u = 1; u <= UPDATES; ++u) {
        holdKeys(u);
        if (test::update(mapa)) mapa.setSegD(40);
        addState(digest, mapa);
        if (u % INTERVAL == 0 || u == UPDATES) {
            std::ostringstream line;
            line << file << " " << u << " " << std::hex << digest.valor();
            lines.push_back(line.str());
        }
    }
    test::releaseInput();
    EXPECT_TRUE(mapa.getGangster().getExiste()) << file << ": the replay should bring in every enemy";
    return lines;
}

TEST(Replay, ReproducesTheRecordedGames) {
    test::TempFolder folder;
    std::vector<std::string> lines;
    const char* files[] = {"replay1.txt", "replay2.txt", "replay3.txt"};
    for (short nr = 1; nr <= 3; ++nr) {
        std::vector<std::string> jogo = play(files[nr - 1], nr, 1000u + nr);
        lines.insert(lines.end(), jogo.begin(), jogo.end());
    }
    const std::string digest = DATA + "replay.digest";
    if (std::getenv("LUMO_RECORD_REPLAY")) {
        std::ofstream output(digest);
        for (const std::string& l : lines) output << l << "\n";
        GTEST_SKIP() << "recorded " << digest;
    }
    std::ifstream input(digest);
    ASSERT_TRUE(input) << "missing " << digest;
    std::vector<std::string> written;
    for (std::string l; std::getline(input, l);)
        if (!l.empty()) written.push_back(l);
    ASSERT_EQ(written.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        ASSERT_EQ(lines[i], written[i]) << "first difference at line " << i + 1;
}

}  // namespace
