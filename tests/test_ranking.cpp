// The table of ten best times: sorting, entering a result, the rank file and
// the rows drawn on the ranking panel.
#include <gtest/gtest.h>

#include "tests/jogo_access.h"
#include "tests/support.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

namespace {

class RankingTable : public ::testing::Test {
protected:
    void SetUp() override { teste::iniciaAllegro(); }

    // Loads the table through the menu's entry, which reads and sorts the file.
    void carrega(const std::string& texto) {
        teste::escreveArquivo("rank.txt", texto);
        JogoTestAccess::openMenu(jogo);
    }
    std::vector<short> tabela() const {
        return std::vector<short>(JogoTestAccess::ranking(jogo), JogoTestAccess::ranking(jogo) + 20);
    }
    void termina(short m, short s) {
        JogoTestAccess::mapa(jogo).setMin(m);
        JogoTestAccess::mapa(jogo).setSeg(s);
        jogo.ordenaSelection();
        jogo.insereRanking();
    }

    teste::PastaTemporaria pasta;
    Jogo jogo;
};

const char* const DEZ_PARES = "9 0\n3 0\n0 0\n7 0\n1 0\n8 0\n2 0\n6 0\n5 0\n4 0\n";

}  // namespace

TEST_F(RankingTable, SortsByMinutesThenSeconds) {
    carrega("2 40 2 30 0 5 10 0 2 35 1 59 0 4 3 0 2 30 99 99");
    EXPECT_EQ(tabela(), (std::vector<short>{0, 4, 0, 5, 1, 59, 2, 30, 2, 30, 2, 35, 2, 40, 3, 0,
                                            10, 0, 99, 99}));
    carrega(DEZ_PARES);
    for (short k = 0; k < 10; ++k) EXPECT_EQ(tabela()[2 * k], k);
}

TEST_F(RankingTable, AResultEntersOnlyWhenLongerThanTheShortest) {
    const std::string base = "2 30 4 0 4 1 4 2 4 3 4 4 4 5 4 6 4 7 4 8";
    struct Caso {
        short m, s;
        bool entra;
    } casos[] = {{2, 40, true}, {3, 5, true}, {2, 30, false}, {2, 20, false}, {1, 59, false}};
    for (const Caso& c : casos) {
        carrega(base);
        const auto antes = tabela();
        termina(c.m, c.s);
        auto t = tabela();
        if (!c.entra) {
            EXPECT_EQ(t, antes) << c.m << ":" << c.s;
            continue;
        }
        bool presente = false;
        for (int k = 0; k < 10; ++k) presente = presente || (t[2 * k] == c.m && t[2 * k + 1] == c.s);
        EXPECT_TRUE(presente) << c.m << ":" << c.s;
        EXPECT_FALSE(t[0] == 2 && t[1] == 30) << "the lowest pair should be gone";
    }
    // 3:05 is placed among the others by the second sort.
    carrega(base);
    termina(3, 5);
    EXPECT_EQ(tabela()[0], 3);
    EXPECT_EQ(tabela()[1], 5);
    EXPECT_EQ(tabela()[2], 4);
}

TEST_F(RankingTable, TheEntryGivesThePlaceItTook) {
    struct Case {
        const char* table;
        short m, s, place;
        bool best;
    } cases[] = {
        {"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0", 0, 20, 1, true},  // an empty table: new best
        {DEZ_PARES, 9, 30, 1, true},                                   // longer than every one kept
        {DEZ_PARES, 9, 0, 1, false},  // equal to the best: shares first place, no new best
        {DEZ_PARES, 4, 30, 6, false},                                   // five kept are longer
        {DEZ_PARES, 0, 30, 10, false},                                  // only the lowest is shorter
        {DEZ_PARES, 0, 0, 0, false},                                    // equal to the lowest: not entered
        {"2 30 4 0 4 1 4 2 4 3 4 4 4 5 4 6 4 7 4 8", 1, 59, 0, false},  // shorter than all
    };
    for (const Case& c : cases) {
        carrega(c.table);
        JogoTestAccess::mapa(jogo).setMin(c.m);
        JogoTestAccess::mapa(jogo).setSeg(c.s);
        jogo.ordenaSelection();
        const RankingEntry entry = jogo.insereRanking();
        EXPECT_EQ(entry.place, c.place) << c.m << ":" << c.s;
        EXPECT_EQ(entry.newBest, c.best) << c.m << ":" << c.s;
        EXPECT_TRUE(entry.saved) << c.m << ":" << c.s;
        // The place read back from the file that was written.
        if (c.place > 0) {
            const auto t = tabela();
            EXPECT_EQ(t[2 * (10 - c.place)], c.m) << c.m << ":" << c.s;
        }
    }
}

TEST_F(RankingTable, FileRoundTrip) {
    carrega("5 7 0 0 12 59 1 1 0 0 0 0 0 0 0 0 0 0 0 0");
    termina(0, 30);
    EXPECT_EQ(teste::leArquivo("rank.txt"),
              "0 0\n0 0\n0 0\n0 0\n0 0\n0 0\n0 30\n1 1\n5 7\n12 59\n");
    Jogo outro;
    JogoTestAccess::openMenu(outro);
    EXPECT_EQ(std::vector<short>(JogoTestAccess::ranking(outro), JogoTestAccess::ranking(outro) + 20), tabela());
    EXPECT_FALSE(teste::existe("rank.txt.tmp"));
}

TEST_F(RankingTable, ShortOrJunkFile) {
    std::filesystem::remove("rank.txt");
    JogoTestAccess::openMenu(jogo);  // no file: the table stays at zeros
    EXPECT_EQ(tabela(), std::vector<short>(20, 0));
    carrega("3 4 5");  // short: the rest keeps what it held
    EXPECT_EQ(tabela(), (std::vector<short>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 4, 5, 0}));
    carrega("7 8 x 9 9");  // reading stops at the first non-number
    EXPECT_EQ(tabela(), (std::vector<short>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 4, 5, 0, 7, 8}));
}

TEST_F(RankingTable, AFailedWriteLeavesTheFormerFile) {
    carrega(DEZ_PARES);
    const std::string antes = teste::leArquivo("rank.txt");
    // A read-only rank file is left as it is.
    chmod("rank.txt", 0444);
    JogoTestAccess::mapa(jogo).setMin(51);
    JogoTestAccess::mapa(jogo).setSeg(0);
    jogo.ordenaSelection();
    testing::internal::CaptureStderr();
    const RankingEntry entry = jogo.insereRanking();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(teste::leArquivo("rank.txt"), antes);
    chmod("rank.txt", 0644);
    EXPECT_FALSE(entry.saved);
    // One line naming the file and why; the table is the file's again.
    EXPECT_EQ(said, "lumo: " + std::filesystem::current_path().string() +
                        "/rank.txt could not be saved: Permission denied\n");
    EXPECT_EQ(tabela()[18], 9);
}

// What a copy killed in the middle of a write leaves behind does not stand in
// the way of the next write.
TEST_F(RankingTable, LeftoversOfAnEarlierWriteDoNotBlockTheNext) {
    carrega(DEZ_PARES);
    std::filesystem::create_directory("rank.txt.tmp");
    teste::escreveArquivo("rank.txt.aB3dE9", "1 1\n");
    termina(50, 0);
    EXPECT_EQ(Jogo().insereRanking().place, 0);  // a new copy's 0:00 does not enter
    EXPECT_EQ(teste::leArquivo("rank.txt"), "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n9 0\n50 0\n");
}

// The place a result took: 1 for the longest time, 0 when it did not enter.
TEST_F(RankingTable, InsertionGivesThePlace) {
    carrega(DEZ_PARES);
    JogoTestAccess::mapa(jogo).setMin(5);
    JogoTestAccess::mapa(jogo).setSeg(30);
    EXPECT_EQ(jogo.insereRanking().place, 5);  // above 5:00, below 6:00 to 9:00
    JogoTestAccess::mapa(jogo).setMin(90);
    EXPECT_EQ(jogo.insereRanking().place, 1);
    JogoTestAccess::mapa(jogo).setMin(2);
    JogoTestAccess::mapa(jogo).setSeg(0);
    EXPECT_EQ(jogo.insereRanking().place, 0) << "equal to the lowest kept";
    JogoTestAccess::mapa(jogo).setMin(9);
    EXPECT_EQ(jogo.insereRanking().place, 2) << "equal to one kept: sharing its place";
}

// Two copies of the game ending games at the same time: 200 results each,
// every one of the 400 different; the file ends with the ten longest.
TEST_F(RankingTable, TwoCopiesAtOnceLoseNoResult) {
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t copies[2];
    for (int c = 0; c < 2; ++c) {
        copies[c] = fork();
        ASSERT_GE(copies[c], 0);
        if (copies[c] == 0) {
            close(go[1]);
            char byte;
            if (read(go[0], &byte, 1) != 0) _exit(2);  // both start when the pipe closes
            Jogo copia;
            for (int i = 0; i < 200; ++i) {
                const int t = 2 * i + c + 1;
                JogoTestAccess::mapa(copia).setMin(t / 60);
                JogoTestAccess::mapa(copia).setSeg(t % 60);
                copia.insereRanking();
            }
            _exit(0);
        }
    }
    close(go[0]);
    close(go[1]);
    for (pid_t p : copies) {
        int status = 0;
        waitpid(p, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::string esperado;
    for (int t = 391; t <= 400; ++t) esperado += std::to_string(t / 60) + " " + std::to_string(t % 60) + "\n";
    EXPECT_EQ(teste::leArquivo("rank.txt"), esperado);
    EXPECT_EQ(teste::temporaryFilesOf("rank.txt"), 0);
}

// Another program holding the lock for good (a copy stopped with Ctrl+Z):
// the result is still saved, after a short wait, not never.
TEST_F(RankingTable, AHeldLockDelaysTheSaveButNeverStopsIt) {
    carrega(DEZ_PARES);
    teste::HeldLock other("rank.txt");
    ASSERT_TRUE(other.held());
    JogoTestAccess::mapa(jogo).setMin(90);
    EXPECT_EQ(jogo.insereRanking().place, 1);
    EXPECT_NE(teste::leArquivo("rank.txt").find("\n90 0\n"), std::string::npos);
}

// A rank file that is a link into another folder (a synced one): the link
// stays, and the file it points to takes the result.
TEST_F(RankingTable, ALinkStaysALinkAndItsFileTakesTheResult) {
    std::filesystem::create_directory("synced");
    teste::escreveArquivo("synced/rank.txt", DEZ_PARES);
    std::filesystem::create_symlink("synced/rank.txt", "rank.txt");
    JogoTestAccess::openMenu(jogo);
    termina(50, 0);
    EXPECT_TRUE(std::filesystem::is_symlink("rank.txt"));
    EXPECT_EQ(std::filesystem::read_symlink("rank.txt"), "synced/rank.txt");
    EXPECT_EQ(teste::leArquivo("synced/rank.txt"), "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n9 0\n50 0\n");
}

TEST_F(RankingTable, TheFileKeepsItsMode) {
    for (mode_t modo : {0600, 0640, 0664}) {
        carrega(DEZ_PARES);
        chmod("rank.txt", modo);
        termina(50, 0);
        struct stat info;
        ASSERT_EQ(stat("rank.txt", &info), 0);
        EXPECT_EQ(info.st_mode & 07777, modo);
        EXPECT_EQ(tabela()[18], 50);
    }
}

// A folder that takes no new file, with a rank file the player may write:
// the file is written in place. Root writes into any folder, so as root the
// game runs as the user nobody, who owns the file but not the folder.
TEST_F(RankingTable, FolderWithoutWritePermissionKeepsTheResult) {
    carrega(DEZ_PARES);
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody || chown("rank.txt", nobody->pw_uid, nobody->pw_gid) != 0)
                _exit(77);
            if (chmod(".", 0555) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(3);
        } else if (chmod(".", 0555) != 0) {
            _exit(3);
        }
        if (access(".", W_OK) == 0) _exit(77);  // the folder still takes files: nothing to test here
        Jogo copia;
        JogoTestAccess::mapa(copia).setMin(50);
        JogoTestAccess::mapa(copia).setSeg(0);
        const RankingEntry entry = copia.insereRanking();
        _exit(entry.place == 1 && entry.saved ? 0 : 4);
    }
    int status = 0;
    waitpid(filho, &status, 0);
    chmod(".", 0755);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no user nobody to take the part of a player";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(teste::leArquivo("rank.txt"), "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n9 0\n50 0\n");
    EXPECT_EQ(teste::temporaryFilesOf("rank.txt"), 0);
}

TEST_F(RankingTable, LinesAndDigitsOnThePanel) {
    teste::criaConjuntoImagens();
    ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
    carrega("0 7 12 34 0 0 0 0 0 0 0 0 0 0 0 0 0 0 150 -3");
    clear_bitmap(screen);
    jogo.ranking();
    auto slotEm = [](int x, int y, int slot) {
        return teste::pixel(screen, x + 1, y + 1) == teste::rgbDe(teste::corDoSlot(slot));
    };
    // Sorted: seven rows of 00:00, then 00:07, 12:34 and 150 minutes -3 seconds.
    const int linha = 20;
    const int esperado[3][5] = {{50, 50, 70, 50, 57}, {51, 52, 70, 53, 54}, {59, 59, 70, 50, 50}};
    const int xs[5] = {330, 346, 362, 378, 394};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(slotEm(xs[i], 114, 50 + (i == 2) * 20)) << "top row, cell " << i;
        for (int r = 0; r < 3; ++r)
            EXPECT_TRUE(slotEm(xs[i], 114 + linha * (7 + r), esperado[r][i])) << "row " << 7 + r << ", cell " << i;
    }
}
