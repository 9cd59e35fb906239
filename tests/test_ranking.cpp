// The table of ten best times: sorting, entering a result, the rank file and
// the rows drawn on the ranking panel.
#include <gtest/gtest.h>

#include "app/rank_file.h"
#include "bests/level_bests.h"
#include "tests/jogo_access.h"
#include "tests/support.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

class RankingTable : public ::testing::Test {
protected:
    void SetUp() override { test::startAllegro(); }

    // Loads the table through the menu's entry, which reads and sorts the file.
    void loadTable(const std::string& text) {
        test::writeFile("rank.txt", text);
        JogoTestAccess::openMenu(jogo);
    }
    std::vector<short> table() const {
        return std::vector<short>(JogoTestAccess::ranking(jogo), JogoTestAccess::ranking(jogo) + 20);
    }
    void ends(short m, short s) {
        JogoTestAccess::mapa(jogo).setMin(m);
        JogoTestAccess::mapa(jogo).setSeg(s);
        jogo.ordenaSelection();
        jogo.insereRanking();
    }

    test::TempFolder folder;
    Jogo jogo;
};

const char* const TEN_PAIRS = "9 0\n3 0\n0 0\n7 0\n1 0\n8 0\n2 0\n6 0\n5 0\n4 0\n";

}  // namespace

TEST_F(RankingTable, SortsByMinutesThenSeconds) {
    loadTable("2 40 2 30 0 5 10 0 2 35 1 59 0 4 3 0 2 30 99 59");
    EXPECT_EQ(table(), (std::vector<short>{0, 4, 0, 5, 1, 59, 2, 30, 2, 30, 2, 35, 2, 40, 3, 0,
                                            10, 0, 99, 59}));
    loadTable(TEN_PAIRS);
    for (short k = 0; k < 10; ++k) EXPECT_EQ(table()[2 * k], k);
}

TEST_F(RankingTable, AResultEntersOnlyWhenLongerThanTheShortest) {
    const std::string base = "2 30 4 0 4 1 4 2 4 3 4 4 4 5 4 6 4 7 4 8";
    struct Case {
        short m, s;
        bool enters;
    } cases[] = {{2, 40, true}, {3, 5, true}, {2, 30, false}, {2, 20, false}, {1, 59, false}};
    for (const Case& c : cases) {
        loadTable(base);
        const auto before = table();
        ends(c.m, c.s);
        auto t = table();
        if (!c.enters) {
            EXPECT_EQ(t, before) << c.m << ":" << c.s;
            continue;
        }
        bool present = false;
        for (int k = 0; k < 10; ++k) present = present || (t[2 * k] == c.m && t[2 * k + 1] == c.s);
        EXPECT_TRUE(present) << c.m << ":" << c.s;
        EXPECT_FALSE(t[0] == 2 && t[1] == 30) << "the lowest pair should be gone";
    }
    // 3:05 is placed among the others by the second sort.
    loadTable(base);
    ends(3, 5);
    EXPECT_EQ(table()[0], 3);
    EXPECT_EQ(table()[1], 5);
    EXPECT_EQ(table()[2], 4);
}

TEST_F(RankingTable, TheEntryGivesThePlaceItTook) {
    struct Case {
        const char* table;
        short m, s, place;
        bool best;
    } cases[] = {
        {"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0", 0, 20, 1, false},  // an empty table: nothing to beat
        {"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 10", 0, 20, 1, true},  // one kept, and beaten
        {TEN_PAIRS, 9, 30, 1, true},                                   // longer than every one kept
        {TEN_PAIRS, 9, 0, 1, false},  // equal to the best: shares first place, no new best
        {TEN_PAIRS, 4, 30, 6, false},                                   // five kept are longer
        {TEN_PAIRS, 0, 30, 10, false},                                  // only the lowest is shorter
        {TEN_PAIRS, 0, 0, 0, false},                                    // equal to the lowest: not entered
        {"2 30 4 0 4 1 4 2 4 3 4 4 4 5 4 6 4 7 4 8", 1, 59, 0, false},  // shorter than all
    };
    for (const Case& c : cases) {
        loadTable(c.table);
        JogoTestAccess::mapa(jogo).setMin(c.m);
        JogoTestAccess::mapa(jogo).setSeg(c.s);
        jogo.ordenaSelection();
        const RankingEntry entry = jogo.insereRanking();
        EXPECT_EQ(entry.place, c.place) << c.m << ":" << c.s;
        EXPECT_EQ(entry.newBest, c.best) << c.m << ":" << c.s;
        EXPECT_TRUE(entry.saved) << c.m << ":" << c.s;
        // The place read back from the file that was written.
        if (c.place > 0) {
            const auto t = table();
            EXPECT_EQ(t[2 * (10 - c.place)], c.m) << c.m << ":" << c.s;
        }
    }
}

TEST_F(RankingTable, FileRoundTrip) {
    loadTable("5 7 0 0 12 59 1 1 0 0 0 0 0 0 0 0 0 0 0 0");
    ends(0, 30);
    EXPECT_EQ(test::readFile("rank.txt"),
              "0 0\n0 0\n0 0\n0 0\n0 0\n0 0\n0 30\n1 1\n5 7\n12 59\n");
    Jogo other;
    JogoTestAccess::openMenu(other);
    EXPECT_EQ(std::vector<short>(JogoTestAccess::ranking(other), JogoTestAccess::ranking(other) + 20), table());
    EXPECT_FALSE(test::exists("rank.txt.tmp"));
}

TEST_F(RankingTable, ShortOrJunkFile) {
    std::filesystem::remove("rank.txt");
    JogoTestAccess::openMenu(jogo);  // no file: the table stays at zeros
    EXPECT_EQ(table(), std::vector<short>(20, 0));
    loadTable("3 4");  // short: the rest keeps what it held
    EXPECT_EQ(table(), (std::vector<short>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 4}));
}

// Damage costs only the pairs it touches: each file is ten lines 0:05 to
// 0:14 with one fault. What is read, in file order, and whether the file
// was kept as rank.txt.damaged.
TEST_F(RankingTable, DamagedFilesKeepEveryGoodPair) {
    auto lines = [](int from, int to) {
        std::string text;
        for (int s = from; s <= to; ++s) text += "0 " + std::to_string(s) + "\n";
        return text;
    };
    auto pairs = [](std::vector<int> seconds) {
        std::vector<short> t(20, -1);
        for (size_t k = 0; k < seconds.size(); ++k) t[2 * k] = 0, t[2 * k + 1] = short(seconds[k]);
        return t;
    };
    const std::vector<int> all = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, but7 = {5, 6, 8, 9, 10, 11, 12, 13, 14};
    const struct {
        std::string text;
        std::vector<int> read;
        bool damaged;
    } cases[] = {
        {lines(5, 14), all, false},
        {"0 5\r\n0\t6\r\n\xEF\xBB\xBF" + lines(7, 14), but7, true},  // a BOM not at the start is a stray token
        {"\xEF\xBB\xBF" "0 5\r\n0\t6\r\n" + lines(7, 14), all, false},   // a BOM, CRLF and tabs
        {lines(5, 6) + "0:07\n" + lines(8, 14), but7, true},
        {lines(5, 6) + "40000 7\n" + lines(8, 14), but7, true},
        {lines(5, 6) + "0 60\n" + lines(8, 14), but7, true},
        {lines(5, 6) + "x 0 7 y\n" + lines(8, 14), all, true},
        {lines(5, 6) + "0 x 7\n" + lines(8, 14), but7, true},
        {lines(5, 7) + std::string(1, '\0') + lines(8, 14), all, true},
        {lines(5, 14) + std::string(70000, ' '), all, true},  // too long: its head is read
        {lines(5, 14) + "1 0\n", all, true},                  // an eleventh pair
        {lines(5, 13) + "0", {5, 6, 7, 8, 9, 10, 11, 12, 13}, true},
    };
    for (const auto& c : cases) {
        std::filesystem::remove("rank.txt.damaged");
        test::writeFile("rank.txt", c.text);
        short t[20];
        std::fill(t, t + 20, -1);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(readRankFile(t));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::vector<short>(t, t + 20), pairs(c.read)) << c.text;
        EXPECT_EQ(test::exists("rank.txt.damaged"), c.damaged) << c.text;
        if (c.damaged) {
            EXPECT_EQ(test::readFile("rank.txt.damaged"), c.text.substr(0, 1 << 16));
        }
        EXPECT_EQ(said.empty(), !c.damaged) << said;
    }
}

// The damaged copy is made once, before the save writes over the file, and
// later damage never replaces it; one line names both files.
TEST_F(RankingTable, TheDamagedCopyIsKeptOnce) {
    const std::string first = "9 0\n8 0\n7 oops 0\n6 0\n";
    const std::string here = std::filesystem::current_path().string();
    testing::internal::CaptureStderr();
    loadTable(first);
    ends(50, 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "lumo: " + here + "/rank.txt is damaged, skipped: line 3 \"7 oops 0\"; " +
                        "kept as it was in " + here + "/rank.txt.damaged\n");
    EXPECT_EQ(test::readFile("rank.txt"), "0 0\n0 0\n0 0\n0 0\n0 0\n0 0\n6 0\n8 0\n9 0\n50 0\n");
    loadTable("1 0 2");
    ends(51, 0);
    EXPECT_EQ(test::readFile("rank.txt.damaged"), first);
}

// A save tried once: while another program holds the lock nothing is read
// or written; then the table read afresh is changed and written.
TEST_F(RankingTable, TheSaveStepNeverWaits) {
    test::writeFile("rank.txt", TEN_PAIRS);
    short table[20] = {};
    auto enter = [](short* t) { t[0] = 60; };
    {
        test::HeldLock other("rank.txt");
        ASSERT_TRUE(other.held());
        EXPECT_EQ(trySaveRankFile(table, enter).status, SaveStatus::Busy);
        EXPECT_EQ(table[0], 0);
    }
    EXPECT_EQ(trySaveRankFile(table, enter).status, SaveStatus::Saved);
    EXPECT_EQ(test::readFile("rank.txt"), "60 0\n3 0\n0 0\n7 0\n1 0\n8 0\n2 0\n6 0\n5 0\n4 0\n");
}

// best.txt: a missing or damaged file is no best; the first game of a level
// is no new best, a tie neither, a longer game is; another copy's longer
// time saved meanwhile is kept.
TEST_F(RankingTable, LevelBests) {
    LevelBests bests;
    bests.load();
    EXPECT_FALSE(bests.has(1) || bests.has(2) || bests.has(3));
    const struct {
        int level;
        short m, s;
        bool hadBest, newBest;
    } games[] = {{1, 0, 12, false, false}, {1, 0, 12, true, false}, {1, 0, 11, true, false},
                 {1, 1, 0, true, true},    {3, 0, 0, false, false}};
    for (const auto& g : games) {
        const BestRecord r = bests.record(g.level, g.m, g.s);
        EXPECT_EQ(r.hadBest, g.hadBest) << g.m << ":" << g.s;
        EXPECT_EQ(r.newBest, g.newBest) << g.m << ":" << g.s;
    }
    {
        test::HeldLock other("best.txt");
        ASSERT_TRUE(other.held());
        EXPECT_EQ(bests.trySave().status, SaveStatus::Busy);
    }
    test::writeFile("best.txt", "1 0 9\n2 5 5\n");  // another copy saved meanwhile
    EXPECT_EQ(bests.trySave().status, SaveStatus::Saved);
    EXPECT_FALSE(bests.waiting());
    EXPECT_EQ(test::readFile("best.txt"), "1 1 0\n2 5 5\n3 0 0\n");

    test::writeFile("best.txt", "\xEF\xBB\xBF" "1 2 3\r\n2 4 60\n3 x 1\n9 1 1\n3 1 2 3\n");
    testing::internal::CaptureStderr();
    LevelBests damaged;
    damaged.load();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("best.txt is damaged, lines skipped: 2, 3, 4, 5"),
              std::string::npos);
    EXPECT_EQ(damaged.best(1).minutes * 60 + damaged.best(1).seconds, 123);
    EXPECT_FALSE(damaged.has(2) || damaged.has(3));
}

TEST_F(RankingTable, AFailedWriteLeavesTheFormerFile) {
    loadTable(TEN_PAIRS);
    const std::string before = test::readFile("rank.txt");
    // A read-only rank file is left as it is.
    chmod("rank.txt", 0444);
    JogoTestAccess::mapa(jogo).setMin(51);
    JogoTestAccess::mapa(jogo).setSeg(0);
    jogo.ordenaSelection();
    testing::internal::CaptureStderr();
    const RankingEntry entry = jogo.insereRanking();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(test::readFile("rank.txt"), before);
    chmod("rank.txt", 0644);
    EXPECT_FALSE(entry.saved);
    // One line naming the file and why; the table is the file's again.
    EXPECT_EQ(said, "lumo: " + std::filesystem::current_path().string() +
                        "/rank.txt could not be saved: Permission denied\n");
    EXPECT_EQ(table()[18], 9);
}

// What a copy killed in the middle of a write leaves behind does not stand in
// the way of the next write.
TEST_F(RankingTable, LeftoversOfAnEarlierWriteDoNotBlockTheNext) {
    loadTable(TEN_PAIRS);
    std::filesystem::create_directory("rank.txt.tmp");
    test::writeFile("rank.txt.aB3dE9", "1 1\n");
    ends(50, 0);
    EXPECT_EQ(Jogo().insereRanking().place, 0);  // a new copy's 0:00 does not enter
    EXPECT_EQ(test::readFile("rank.txt"), "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n9 0\n50 0\n");
}

// The place a result took: 1 for the longest time, 0 when it did not enter.
TEST_F(RankingTable, InsertionGivesThePlace) {
    loadTable(TEN_PAIRS);
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
    int go[2], done[2], settle[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(done), 0);
    ASSERT_EQ(pipe(settle), 0);
    pid_t copies[2];
    for (int c = 0; c < 2; ++c) {
        copies[c] = fork();
        ASSERT_GE(copies[c], 0);
        if (copies[c] == 0) {
            close(go[1]);
            close(settle[1]);
            char byte;
            if (read(go[0], &byte, 1) != 0) _exit(2);  // both start when the pipe closes
            Jogo copy;
            for (int i = 0; i < 200; ++i) {
                const int t = 2 * i + c + 1;
                JogoTestAccess::mapa(copy).setMin(t / 60);
                JogoTestAccess::mapa(copy).setSeg(t % 60);
                copy.insereRanking();
            }
            // What met the other's lock waits, as for the next frames, until
            // both are done playing.
            if (write(done[1], "x", 1) != 1 || read(settle[0], &byte, 1) != 0) _exit(3);
            while (JogoTestAccess::table(copy).entry().saving) {
                JogoTestAccess::table(copy).step();
                usleep(1000);
            }
            _exit(JogoTestAccess::table(copy).entry().saved ? 0 : 4);
        }
    }
    close(go[0]);
    close(go[1]);
    char byte;
    for (int c = 0; c < 2; ++c) EXPECT_EQ(read(done[0], &byte, 1), 1);
    close(settle[1]);
    for (pid_t p : copies) {
        int status = 0;
        waitpid(p, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::string expected;
    for (int t = 391; t <= 400; ++t) expected += std::to_string(t / 60) + " " + std::to_string(t % 60) + "\n";
    EXPECT_EQ(test::readFile("rank.txt"), expected);
    EXPECT_EQ(test::temporaryFilesOf("rank.txt"), 0);
}

// Another program holding the lock for good: the result waits, tried again
// on each step, and is given up after SAVE_TRIES tries and said so, the
// file and the table as they were. (Saved once the lock is free: see the
// summary card's test.)
TEST_F(RankingTable, AHeldLockGivesTheResultUpAfterItsTries) {
    test::writeFile("rank.txt", TEN_PAIRS);
    Ranking ranking;
    ranking.load();
    test::HeldLock other("rank.txt");
    ASSERT_TRUE(other.held());
    EXPECT_TRUE(ranking.insereRanking(91, 0).saving);
    testing::internal::CaptureStderr();
    int tries = 1;  // the one insereRanking makes
    do ++tries;
    while (!ranking.step());
    EXPECT_EQ(tries, Ranking::SAVE_TRIES);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "lumo: " + std::filesystem::current_path().string() + "/rank.txt is locked by another process\n");
    EXPECT_FALSE(ranking.entry().saving || ranking.entry().saved);
    EXPECT_EQ(std::count(ranking.table(), ranking.table() + 20, 91), 0) << "the table as the file holds it";
    EXPECT_EQ(test::readFile("rank.txt"), TEN_PAIRS);
}

// A rank file that is a link into another folder (a synced one): the link
// stays, and the file it points to takes the result.
TEST_F(RankingTable, ALinkStaysALinkAndItsFileTakesTheResult) {
    std::filesystem::create_directory("synced");
    test::writeFile("synced/rank.txt", TEN_PAIRS);
    std::filesystem::create_symlink("synced/rank.txt", "rank.txt");
    JogoTestAccess::openMenu(jogo);
    ends(50, 0);
    EXPECT_TRUE(std::filesystem::is_symlink("rank.txt"));
    EXPECT_EQ(std::filesystem::read_symlink("rank.txt"), "synced/rank.txt");
    EXPECT_EQ(test::readFile("synced/rank.txt"), "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n9 0\n50 0\n");
}

TEST_F(RankingTable, TheFileKeepsItsMode) {
    for (mode_t mode : {0600, 0640, 0664}) {
        loadTable(TEN_PAIRS);
        chmod("rank.txt", mode);
        ends(50, 0);
        struct stat info;
        ASSERT_EQ(stat("rank.txt", &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        EXPECT_EQ(table()[18], 50);
    }
}

// A folder that takes no new file, with a rank file the player may write:
// the file is written in place. Root writes into any folder, so as root the
// game runs as the user nobody, who owns the file but not the folder.
TEST_F(RankingTable, FolderWithoutWritePermissionKeepsTheResult) {
    loadTable(TEN_PAIRS);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody || chown("rank.txt", nobody->pw_uid, nobody->pw_gid) != 0)
                _exit(77);
            if (chmod(".", 0555) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(3);
        } else if (chmod(".", 0555) != 0) {
            _exit(3);
        }
        if (access(".", W_OK) == 0) _exit(77);  // the folder still takes files: nothing to test here
        Jogo copy;
        JogoTestAccess::mapa(copy).setMin(50);
        JogoTestAccess::mapa(copy).setSeg(0);
        const RankingEntry entry = copy.insereRanking();
        _exit(entry.place == 1 && entry.saved ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(".", 0755);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no user nobody to take the part of a player";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test::readFile("rank.txt"), "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n9 0\n50 0\n");
    EXPECT_EQ(test::temporaryFilesOf("rank.txt"), 0);
}

TEST_F(RankingTable, LinesAndDigitsOnThePanel) {
    test::makeImageSet();
    ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
    loadTable("0 7 12 34 0 0 0 0 0 0 0 0 0 0 0 0 0 0 150 0");
    clear_bitmap(screen);
    jogo.ranking();
    auto slotAt = [](int x, int y, int slot) {
        return test::pixel(screen, x + 1, y + 1) == test::rgbOf(test::slotColour(slot));
    };
    // Sorted: seven rows of 00:00, then 00:07, 12:34 and 150 minutes.
    const int line = 20;
    const int expected[3][5] = {{50, 50, 70, 50, 57}, {51, 52, 70, 53, 54}, {59, 59, 70, 50, 50}};
    const int xs[5] = {330, 346, 362, 378, 394};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(slotAt(xs[i], 114, 50 + (i == 2) * 20)) << "top row, cell " << i;
        for (int r = 0; r < 3; ++r)
            EXPECT_TRUE(slotAt(xs[i], 114 + line * (7 + r), expected[r][i])) << "row " << 7 + r << ", cell " << i;
    }
}
