// The rank file against the disk: a folder mounted read-only, a rank file
// that cannot be replaced, a full folder, and the program killed mid-rewrite.
// The previous table must stay whole and readable, and the game go on. Then
// what other users leave in a shared folder, and what is no plain file.
// Mounting needs root: each mount happens in a child process with a mount
// namespace of its own, and the case is skipped where that is not allowed.
#include <gtest/gtest.h>

#include "app/rank_file.h"
#include "audio/sound_files.h"
#include "bests/level_bests.h"
#include "render/jpeg_loader.h"
#include "render/png_loader.h"
#include "settings/settings.h"
#include "storage/data_folder.h"
#include "storage/messages.h"
#include "storage/path_walk.h"
#include "storage/regular_file.h"
#include "storage/whole_file.h"
#include "tests/headless.h"
#include "tests/jogo_access.h"

#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>

namespace {

namespace fs = std::filesystem;

const char* const OLD_TABLE = "9 0\n3 0\n0 0\n7 0\n1 0\n8 0\n2 0\n6 0\n5 0\n4 0\n";
const int NO_MOUNT = 77;

// Runs body in a child whose working folder is a fresh tmpfs of the given
// size; the child's exit status comes back (NO_MOUNT when it could not mount).
int inTmpfs(const char* size, const std::function<int()>& body) {
    fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const std::string folder = fs::current_path().string();
        const std::string options = std::string("size=") + size;
        if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0 || chdir(folder.c_str()) != 0)
            _exit(NO_MOUNT);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A game ends with 50:00, the result is entered and the write fails: the file
// keeps the old table, the table in memory is the file's again, and the next
// stay in the menu reads the old table back. Returns a failure code or 0.
int resultNotWritten() {
    Jogo jogo;
    JogoTestAccess::openMenu(jogo);
    JogoTestAccess::mapa(jogo).setMin(50);
    JogoTestAccess::mapa(jogo).setSeg(0);
    jogo.ordenaSelection();
    jogo.insereRanking();
    if (test::readFile("rank.txt") != OLD_TABLE) return 1;
    if (JogoTestAccess::ranking(jogo)[18] != 9) return 2;
    if (test::temporaryFilesOf("rank.txt") != 0) return 3;
    JogoTestAccess::openMenu(jogo);
    if (JogoTestAccess::ranking(jogo)[18] != 9) return 4;
    return 0;
}

void check(int status) {
    if (status == NO_MOUNT) GTEST_SKIP() << "no mount namespace here (needs root)";
    EXPECT_EQ(status, 0) << "1 file changed, 2 table in memory not the file's, 3 temporary file left, "
                            "4 old table unreadable, 5 no room freed, 6 later write failed";
}

using Storage = test::Headless;

}  // namespace

TEST_F(Storage, ReadOnlyFolder) {
    check(inTmpfs("1m", [] {
        test::writeFile("rank.txt", OLD_TABLE);
        if (mount("none", ".", nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) return NO_MOUNT;
        return resultNotWritten();
    }));
}

TEST_F(Storage, FileMountedReadOnly) {
    // The file itself read-only to root too, and a mount point cannot be renamed over.
    check(inTmpfs("1m", [] {
        test::writeFile("rank.txt", OLD_TABLE);
        if (mount("rank.txt", "rank.txt", nullptr, MS_BIND, nullptr) != 0 ||
            mount("none", "rank.txt", nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return NO_MOUNT;
        return resultNotWritten();
    }));
}

TEST_F(Storage, FullDisk) {
    check(inTmpfs("16k", [] {
        test::writeFile("rank.txt", OLD_TABLE);
        // Fill every block left, a byte at a time at the end.
        FILE* f = std::fopen("filler", "w");
        setvbuf(f, nullptr, _IONBF, 0);
        while (std::fputc('x', f) != EOF) {
        }
        std::fclose(f);
        if (const int r = resultNotWritten()) return r;
        // Room again: the next result is written.
        if (!fs::remove("filler")) return 5;
        Jogo jogo;
        JogoTestAccess::openMenu(jogo);
        JogoTestAccess::mapa(jogo).setMin(60);
        JogoTestAccess::mapa(jogo).setSeg(0);
        jogo.insereRanking();
        Jogo other;
        JogoTestAccess::openMenu(other);
        return JogoTestAccess::ranking(other)[18] == 60 ? 0 : 6;
    }));
}

// A child rewrites the file in a loop, alternating two tables, and is killed
// at a random moment; after each kill the file holds one table whole. The
// child reports its first few whole writes, and the kill comes only after
// them: on a slow machine a kill could otherwise come before the first write
// ever ended, every time, and only the old table would be seen. In place, the
// child is nobody in a folder that takes no new file from nobody.
static void killedDuringSaves(bool inPlace) {
    const short a[20] = {0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10};
    const short b[20] = {1, 1, 1, 2, 1, 3, 1, 4, 1, 5, 1, 6, 1, 7, 1, 8, 1, 9, 1, 10};
    ASSERT_TRUE(gravaRanking(b, "rank.txt"));
    const std::string textB = test::readFile("rank.txt");
    ASSERT_TRUE(gravaRanking(a, "rank.txt"));
    const std::string textA = test::readFile("rank.txt");
    const passwd* nobody = getpwnam("nobody");
    if (inPlace) {
        if (geteuid() != 0 || !nobody) GTEST_SKIP() << "needs root and the user nobody";
        ASSERT_EQ(chmod(".", 0755) | chmod("rank.txt", 0666), 0);
    }

    std::mt19937 draw(12345);
    int seenA = 0, seenB = 0;
    const int KILLS = 100;
    for (int m = 0; m < KILLS; ++m) {
        int written[2];
        ASSERT_EQ(pipe(written), 0);
        const int reported = std::uniform_int_distribution<int>(1, 4)(draw);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        char byte = 0;
        if (child == 0) {
            if (inPlace && setuid(nobody->pw_uid) != 0) _exit(1);
            for (int k = 0;; ++k) {
                gravaRanking(k % 2 ? a : b, "rank.txt");
                if (k < reported && write(written[1], &byte, 1) != 1) _exit(0);
            }
        }
        // Only the child holds the writing end: should it die, the read ends
        // instead of waiting for ever. The child is killed before any check,
        // so a failing one never leaves it rewriting the file.
        close(written[1]);
        int reports = 0;
        while (reports < reported && read(written[0], &byte, 1) == 1) ++reports;
        usleep(std::uniform_int_distribution<int>(0, 4000)(draw));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(written[0]);
        ASSERT_EQ(reports, reported) << "the writing child ended before kill " << m;
        const std::string seen = test::readFile("rank.txt");
        ASSERT_TRUE(seen == textA || seen == textB) << "after kill " << m << " rank.txt held:\n" << seen;
        seenA += seen == textA;
        seenB += seen == textB;
        // The game reads it as that table.
        Jogo jogo;
        JogoTestAccess::openMenu(jogo);
        EXPECT_EQ(JogoTestAccess::ranking(jogo)[0], seen == textA ? 0 : 1);
    }
}

TEST_F(Storage, KilledDuringTheWrite) { killedDuringSaves(false); }
TEST_F(Storage, KilledDuringSavesInPlace) { killedDuringSaves(true); }

// A write stopped by a signal half-way, as when the X server goes away: the
// handler removes the temporary file and the old table stays. Past the file
// size limit, the kernel sends SIGXFSZ in the middle of the write.
TEST_F(Storage, StoppedMidWriteLeavesNoTemporary) {
    test::writeFile("rank.txt", OLD_TABLE);
    fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, [](int) {
            removeUnfinishedWrite();
            _exit(0);
        });
        const rlimit limit = {4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        writeWholeFile("rank.txt", std::string(8192, '1'));
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(test::readFile("rank.txt"), OLD_TABLE);
    EXPECT_EQ(test::temporaryFilesOf("rank.txt"), 0);
}

// The player is nobody. In a sticky folder anyone may write in, another user
// left a link to a file nobody could write: the save neither follows it nor
// may replace it. In an open folder, root's 0644 file is refused, and so is
// the player's own file whose owner bits forbid writing (its group's do
// not); root's 0666 file is written in place, staying root's. The player's
// own link in the sticky folder is followed; a new file gets the umask's mode.
TEST_F(Storage, OtherUsersFilesAndLinks) {
    const passwd* nobody = getpwnam("nobody");
    if (geteuid() != 0 || !nobody) GTEST_SKIP() << "needs root and the user nobody";
    const uid_t stranger = nobody->pw_uid + 1;
    fs::create_directories("shared");
    fs::create_directories("victim");
    fs::create_directories("open");
    ASSERT_EQ(chmod(".", 0755) | chmod("shared", 01777) | chmod("victim", 0777) | chmod("open", 0777), 0);
    test::writeFile("victim/notes.txt", "private\n");
    test::writeFile("open/rank.txt", OLD_TABLE);
    test::writeFile("open/shared.txt", OLD_TABLE);
    ASSERT_EQ(chmod("victim/notes.txt", 0666) | chmod("open/rank.txt", 0644) | chmod("open/shared.txt", 0666), 0);
    fs::create_symlink("../victim/notes.txt", "shared/lumo.cfg");
    ASSERT_EQ(lchown("shared/lumo.cfg", stranger, stranger), 0);
    test::writeFile("open/own.txt", OLD_TABLE);
    ASSERT_EQ(chown("open/own.txt", nobody->pw_uid, nobody->pw_gid) | chmod("open/own.txt", 0464), 0);

    fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(10);
        std::string reason;
        if (writeWholeFile("shared/lumo.cfg", "x\n", &reason) ||
            reason != "owned by another user in a shared folder")
            _exit(1);
        if (writeWholeFile("open/rank.txt", "x\n", &reason) || reason != "Permission denied") _exit(2);
        if (writeWholeFile("open/own.txt", "x\n", &reason) || reason != "Permission denied") _exit(2);
        if (!writeWholeFile("open/shared.txt", "new\n", &reason)) _exit(3);
        if (symlink("../victim/mine.txt", "shared/mine.cfg") != 0 || !writeWholeFile("shared/mine.cfg", "mine\n"))
            _exit(4);
        umask(027);
        if (!writeWholeFile("open/new.txt", "new\n")) _exit(5);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "status " << status << ": 1 stranger's link, 2 a file without write permission, 3 root's 0666 file, "
                                  "4 own link, 5 new file";
    EXPECT_EQ(test::readFile("victim/notes.txt"), "private\n");
    EXPECT_TRUE(fs::is_symlink("shared/lumo.cfg"));
    EXPECT_EQ(test::readFile("open/rank.txt"), OLD_TABLE);
    EXPECT_EQ(test::readFile("open/own.txt"), OLD_TABLE);
    EXPECT_EQ(test::readFile("open/shared.txt"), "new\n");
    EXPECT_TRUE(fs::is_symlink("shared/mine.cfg"));
    EXPECT_EQ(test::readFile("victim/mine.txt"), "mine\n");
    struct stat info;
    ASSERT_EQ(stat("open/shared.txt", &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(info.st_mode & 07777, 0666u);
    ASSERT_EQ(stat("open/new.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(test::temporaryFilesOf("open/rank.txt") + test::temporaryFilesOf("shared/lumo.cfg"), 0);
}

// In a sticky folder anyone may write in, another user left links named as
// the player's files, pointing at the player's private ones: nothing is read
// through them, each is named once, and the saves that follow replace the
// links themselves with the player's own data only. The player's own link
// is read as before.
TEST_F(Storage, StrangersLinksAreNeverRead) {
    const passwd* nobody = getpwnam("nobody");
    if (geteuid() != 0 || !nobody) GTEST_SKIP() << "needs root and the user nobody";
    ASSERT_EQ(chmod(".", 01777), 0);
    fs::create_directories("private");
    test::writeFile("private/pin", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20\n");
    test::writeFile("private/secret", "[display]\nscale = 3\n");
    test::writeFile("private/best", "1 9 9\n");
    const std::pair<const char*, const char*> planted[] = {
        {"rank.txt", "private/pin"}, {"lumo.cfg", "private/secret"}, {"rank.txt.lock", "private/lock"}};
    for (const auto& link : planted) {
        fs::create_symlink(link.second, link.first);
        ASSERT_EQ(lchown(link.first, nobody->pw_uid + 1, nobody->pw_gid), 0);
    }
    fs::create_symlink("private/best", "best.txt");  // the player's own

    testing::internal::CaptureStderr();
    Jogo jogo;
    JogoTestAccess::openMenu(jogo);
    EXPECT_EQ(JogoTestAccess::ranking(jogo)[18], 0) << "the pin was read as a table";
    EXPECT_EQ(loadSettings().scale, 0) << "the secret was read as settings";
    LevelBests bests;
    bests.load();
    EXPECT_EQ(bests.best(1).minutes, 9) << "the player's own link is read";
    JogoTestAccess::mapa(jogo).setMin(50);
    JogoTestAccess::mapa(jogo).setSeg(0);
    EXPECT_TRUE(jogo.insereRanking().saved);
    SettingsSaver saver;
    saver.change("sound", "mute", 1);
    EXPECT_TRUE(saver.flush());
    const std::string said = testing::internal::GetCapturedStderr();
    for (const char* name : {"rank.txt", "lumo.cfg"}) {
        const std::string line = fs::current_path().string() + "/" + name + " " + STRANGERS_LINK;
        EXPECT_NE(said.find(line), std::string::npos) << said;
        EXPECT_EQ(said.find(line), said.rfind(line)) << "named more than once: " << said;
        EXPECT_FALSE(fs::is_symlink(name));
    }
    EXPECT_EQ(test::readFile("private/pin"), "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20\n");
    EXPECT_EQ(test::readFile("private/secret"), "[display]\nscale = 3\n");
    EXPECT_FALSE(test::exists("private/lock"));
    EXPECT_EQ(test::readFile("rank.txt"), "0 0\n0 0\n0 0\n0 0\n0 0\n0 0\n0 0\n0 0\n0 0\n50 0\n");
    EXPECT_EQ(test::readFile("lumo.cfg"), "[sound]\nmute = 1\n");
}

// What saves killed half-way left: the player's own temporary files of the
// file being saved, over a minute old, go; anything else stays.
TEST_F(Storage, OldLeftoversOfSavesAreRemoved) {
    const passwd* nobody = getpwnam("nobody");
    std::vector<std::pair<std::string, bool>> files = {
        {"rank.txt.aB3dE9", true},    {"rank.txt.backup", false}, {"rank.txt.261208", false},  {"rank.txt.young1", false},
        {"rank.txt.strngr", false},   {"rank.txt.damaged", false}, {"rank.txt.ab-dE9", false},
        {"lumo.cfg.aB3dE9", false},   {"rank.txtxaB3dE9", false},
    };
    if (geteuid() != 0 || !nobody) files.erase(files.begin() + 3);  // nobody else to own one
    for (const auto& f : files) test::writeFile(f.first, "1 1\n");
    fs::create_directory("rank.txt.folder");
    const timeval twoMinutesAgo[2] = {{time(nullptr) - 120, 0}, {time(nullptr) - 120, 0}};
    for (const auto& f : files) {
        if (f.first != "rank.txt.young1") {
            ASSERT_EQ(utimes(f.first.c_str(), twoMinutesAgo), 0);
        }
    }
    ASSERT_EQ(utimes("rank.txt.folder", twoMinutesAgo), 0);
    if (files.size() == 9) {
        ASSERT_EQ(chown("rank.txt.strngr", nobody->pw_uid, nobody->pw_gid), 0);
    }
    const short table[20] = {};
    ASSERT_TRUE(gravaRanking(table, "rank.txt"));
    for (const auto& f : files) EXPECT_NE(test::exists(f.first), f.second) << f.first;
    EXPECT_TRUE(fs::is_directory("rank.txt.folder"));
}

// Each failure to read is named as what it is, and only a missing file
// suggests starting the game from another folder.
TEST_F(Storage, ReasonsSayWhatHappened) {
    const std::string hint = "run lumo from the folder that holds Data/";
    mkfifo("pipe.png", 0644);
    std::string reason;
    EXPECT_EQ(openRegularFile("pipe.png", &reason), -1);
    EXPECT_EQ(reason, "is a named pipe, not a regular file");
    EXPECT_EQ(unusableFileMessage("pipe.png", reason).find(hint), std::string::npos);
    EXPECT_EQ(openRegularFile("gone.png", &reason), -1);
    EXPECT_EQ(reason, "not found");
    EXPECT_NE(unusableFileMessage("gone.png", reason).find(hint), std::string::npos);
    test::writeFile("01.txt", "1 2\n");
    fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit none = {3, 3};  // standard input, output and error only
        if (setrlimit(RLIMIT_NOFILE, &none) != 0) _exit(2);
        std::string text;
        const bool refused = !readRegularFile("01.txt", text, 100, &reason);
        _exit(refused && reason == "cannot be opened: too many open files" ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

// Each kind of file the game reads with a named pipe, a folder or a device in
// its place: refused at once (an ordinary open waits for a pipe's writer for
// ever, and the alarm would end the tests) and named on stderr where the
// game says so. And pictures larger than the screen, whatever their header
// claims, are refused before their memory is taken.
TEST_F(Storage, OnlyPlainFilesAndPicturesTheScreenHolds) {
    struct Reader {
        std::string name;
        std::function<bool()> reads;
        bool named;  // the game names the file on stderr (pictures go to the image table's message)
    };
    const short before[20] = {};
    const std::vector<Reader> readers = {
        {"picture.png", [] { return loadPng("picture.png") != nullptr; }, false},
        {"picture.jpg", [] { return loadJpeg("picture.jpg") != nullptr; }, false},
        {"effect.wav", [] { return loadEffectFile("effect.wav") != nullptr; }, true},
        {"loop.wav", [] { return loadLoopFile("loop.wav") != nullptr; }, true},
        {"01.txt",
         [] {
             // The level says what is wrong; the game names it on stderr.
             LevelProblem problem;
             const bool loaded = Mapa().inicia(1, &problem);
             if (!loaded) reportProblem(levelProblemMessage(problem));
             return loaded;
         },
         true},
        {"rank.txt",
         [&] {
             Jogo jogo;
             JogoTestAccess::openMenu(jogo);
             return !std::equal(before, before + 20, JogoTestAccess::ranking(jogo));
         },
         true},
    };
    const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> kinds = {
        {"is a named pipe", [](const std::string& n) { mkfifo(n.c_str(), 0644); }},
        {"is a folder", [](const std::string& n) { fs::create_directory(n); }},
        {"is a device", [](const std::string& n) { fs::create_symlink("/dev/null", n); }},
    };
    alarm(60);
    for (const Reader& r : readers)
        for (const auto& kind : kinds) {
            kind.second(r.name);
            testing::internal::CaptureStderr();
            EXPECT_FALSE(r.reads()) << r.name << " " << kind.first;
            const std::string said = testing::internal::GetCapturedStderr();
            if (r.named) {
                EXPECT_NE(said.find(r.name + " " + kind.first), std::string::npos) << said;
            }
            fs::remove(r.name);
        }
    alarm(0);

    // A PNG a pixel too large either way (the JPEG loader's own tests have
    // its sides); and a real picture of 8 x 8 whose header claims
    // 16000 x 16000, a gigabyte at 32 bits.
    test::saveImage("picture.png", 641, 8, 10, 20, 30);
    EXPECT_FALSE(loadPng("picture.png")) << "641 x 8";
    test::saveImage("picture.png", 8, 481, 10, 20, 30);
    EXPECT_FALSE(loadPng("picture.png")) << "8 x 481";
    test::saveImage("picture.jpg", 8, 8, 10, 20, 30);
    std::string jpeg = test::readFile("picture.jpg");
    const size_t frame = jpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    jpeg.replace(frame + 5, 4, "\x3E\x80\x3E\x80");  // height and width
    test::writeFile("picture.jpg", jpeg);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const long peakBefore = usage.ru_maxrss;
    EXPECT_EQ(loadJpeg("picture.jpg"), nullptr);
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss - peakBefore, 64 * 1024) << "kilobytes taken for a picture refused";
}
