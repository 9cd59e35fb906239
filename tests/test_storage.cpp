// The rank file against the disk: a folder mounted read-only, a rank file
// that cannot be replaced, a full folder, and the program killed mid-rewrite.
// The previous table must stay whole and readable, and the game go on. Then
// what other users leave in a shared folder, and what is no plain file.
// Mounting needs root: each mount happens in a child process with a mount
// namespace of its own, and the case is skipped where that is not allowed.
#include <gtest/gtest.h>

#include "tests/jogo_access.h"
#include "audio/sound_files.h"
#include "render/jpeg_loader.h"
#include "render/png_loader.h"
#include "storage/messages.h"
#include "storage/whole_file.h"
#include "tests/support.h"

#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>

namespace {

namespace fs = std::filesystem;

const char* const ANTIGA = "9 0\n3 0\n0 0\n7 0\n1 0\n8 0\n2 0\n6 0\n5 0\n4 0\n";
const int SEM_MONTAGEM = 77;

// Runs corpo in a child whose working folder is a fresh tmpfs of the given
// size; the child's exit status comes back (SEM_MONTAGEM when it could not mount).
int emTmpfs(const char* tamanho, const std::function<int()>& corpo) {
    fflush(stdout);
    const pid_t filho = fork();
    if (filho == 0) {
        const std::string pasta = fs::current_path().string();
        const std::string opcoes = std::string("size=") + tamanho;
        if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", pasta.c_str(), "tmpfs", 0, opcoes.c_str()) != 0 || chdir(pasta.c_str()) != 0)
            _exit(SEM_MONTAGEM);
        _exit(corpo());
    }
    int status = 0;
    waitpid(filho, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A game ends with 50:00, the result is entered and the write fails: the file
// keeps the old table, the table in memory is the file's again, and the next
// stay in the menu reads the old table back. Returns a failure code or 0.
int resultadoNaoGravado() {
    Jogo jogo;
    JogoTestAccess::openMenu(jogo);
    JogoTestAccess::mapa(jogo).setMin(50);
    JogoTestAccess::mapa(jogo).setSeg(0);
    jogo.ordenaSelection();
    jogo.insereRanking();
    if (teste::leArquivo("rank.txt") != ANTIGA) return 1;
    if (JogoTestAccess::ranking(jogo)[18] != 9) return 2;
    if (teste::temporaryFilesOf("rank.txt") != 0) return 3;
    JogoTestAccess::openMenu(jogo);
    if (JogoTestAccess::ranking(jogo)[18] != 9) return 4;
    return 0;
}

void verifica(int status) {
    if (status == SEM_MONTAGEM) GTEST_SKIP() << "no mount namespace here (needs root)";
    EXPECT_EQ(status, 0) << "1 file changed, 2 table in memory not the file's, 3 temporary file left, "
                            "4 old table unreadable, 5 no room freed, 6 later write failed";
}

class Storage : public ::testing::Test {
protected:
    void SetUp() override { teste::iniciaAllegro(); }
    teste::PastaTemporaria pasta;
};

}  // namespace

TEST_F(Storage, ReadOnlyFolder) {
    verifica(emTmpfs("1m", [] {
        teste::escreveArquivo("rank.txt", ANTIGA);
        if (mount("none", ".", nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) return SEM_MONTAGEM;
        return resultadoNaoGravado();
    }));
}

TEST_F(Storage, FileMountedReadOnly) {
    // The file itself read-only to root too, and a mount point cannot be renamed over.
    verifica(emTmpfs("1m", [] {
        teste::escreveArquivo("rank.txt", ANTIGA);
        if (mount("rank.txt", "rank.txt", nullptr, MS_BIND, nullptr) != 0 ||
            mount("none", "rank.txt", nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return SEM_MONTAGEM;
        return resultadoNaoGravado();
    }));
}

TEST_F(Storage, FullDisk) {
    verifica(emTmpfs("16k", [] {
        teste::escreveArquivo("rank.txt", ANTIGA);
        // Fill every block left, a byte at a time at the end.
        FILE* f = std::fopen("enchimento", "w");
        setvbuf(f, nullptr, _IONBF, 0);
        while (std::fputc('x', f) != EOF) {
        }
        std::fclose(f);
        if (const int r = resultadoNaoGravado()) return r;
        // Room again: the next result is written.
        if (!fs::remove("enchimento")) return 5;
        Jogo jogo;
        JogoTestAccess::openMenu(jogo);
        JogoTestAccess::mapa(jogo).setMin(60);
        JogoTestAccess::mapa(jogo).setSeg(0);
        jogo.insereRanking();
        Jogo outro;
        JogoTestAccess::openMenu(outro);
        return JogoTestAccess::ranking(outro)[18] == 60 ? 0 : 6;
    }));
}

// A child rewrites the file in a loop, alternating two tables, and is killed
// at a random moment; after each kill the file holds one table whole. The
// child reports its first few whole writes, and the kill comes only after
// them: on a slow machine a kill could otherwise come before the first write
// ever ended, every time, and only the old table would be seen.
TEST_F(Storage, KilledDuringTheWrite) {
    const short a[20] = {0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10};
    const short b[20] = {1, 1, 1, 2, 1, 3, 1, 4, 1, 5, 1, 6, 1, 7, 1, 8, 1, 9, 1, 10};
    ASSERT_TRUE(gravaRanking(b, "rank.txt"));
    const std::string textoB = teste::leArquivo("rank.txt");
    ASSERT_TRUE(gravaRanking(a, "rank.txt"));
    const std::string textoA = teste::leArquivo("rank.txt");

    std::mt19937 sorteio(12345);
    int vistosA = 0, vistosB = 0, temporarios = 0;
    const int MORTES = 150;
    for (int m = 0; m < MORTES; ++m) {
        int written[2];
        ASSERT_EQ(pipe(written), 0);
        const int reported = std::uniform_int_distribution<int>(1, 4)(sorteio);
        const pid_t filho = fork();
        ASSERT_GE(filho, 0);
        char byte = 0;
        if (filho == 0) {
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
        usleep(std::uniform_int_distribution<int>(0, 4000)(sorteio));
        kill(filho, SIGKILL);
        waitpid(filho, nullptr, 0);
        close(written[0]);
        ASSERT_EQ(reports, reported) << "the writing child ended before kill " << m;
        const std::string visto = teste::leArquivo("rank.txt");
        ASSERT_TRUE(visto == textoA || visto == textoB) << "after kill " << m << " rank.txt held:\n" << visto;
        vistosA += visto == textoA;
        vistosB += visto == textoB;
        // The game reads it as that table.
        Jogo jogo;
        JogoTestAccess::openMenu(jogo);
        EXPECT_EQ(JogoTestAccess::ranking(jogo)[0], visto == textoA ? 0 : 1);
    }
    // Both tables were seen, and some kills fell inside a write: each left
    // its temporary file behind.
    temporarios = teste::temporaryFilesOf("rank.txt");
    EXPECT_GT(vistosA, 0);
    EXPECT_GT(vistosB, 0);
    EXPECT_GT(temporarios, 0);
    std::printf("%d kills: table A %d, table B %d, %d mid-write\n", MORTES, vistosA, vistosB, temporarios);
}

// A write stopped by a signal half-way, as when the X server goes away: the
// handler removes the temporary file and the old table stays. Past the file
// size limit, the kernel sends SIGXFSZ in the middle of the write.
TEST_F(Storage, StoppedMidWriteLeavesNoTemporary) {
    teste::escreveArquivo("rank.txt", ANTIGA);
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
    EXPECT_EQ(teste::leArquivo("rank.txt"), ANTIGA);
    EXPECT_EQ(teste::temporaryFilesOf("rank.txt"), 0);
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
    teste::escreveArquivo("victim/notes.txt", "private\n");
    teste::escreveArquivo("open/rank.txt", ANTIGA);
    teste::escreveArquivo("open/shared.txt", ANTIGA);
    ASSERT_EQ(chmod("victim/notes.txt", 0666) | chmod("open/rank.txt", 0644) | chmod("open/shared.txt", 0666), 0);
    fs::create_symlink("../victim/notes.txt", "shared/lumo.cfg");
    ASSERT_EQ(lchown("shared/lumo.cfg", stranger, stranger), 0);
    teste::escreveArquivo("open/own.txt", ANTIGA);
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
    EXPECT_EQ(teste::leArquivo("victim/notes.txt"), "private\n");
    EXPECT_TRUE(fs::is_symlink("shared/lumo.cfg"));
    EXPECT_EQ(teste::leArquivo("open/rank.txt"), ANTIGA);
    EXPECT_EQ(teste::leArquivo("open/own.txt"), ANTIGA);
    EXPECT_EQ(teste::leArquivo("open/shared.txt"), "new\n");
    EXPECT_TRUE(fs::is_symlink("shared/mine.cfg"));
    EXPECT_EQ(teste::leArquivo("victim/mine.txt"), "mine\n");
    struct stat info;
    ASSERT_EQ(stat("open/shared.txt", &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(info.st_mode & 07777, 0666u);
    ASSERT_EQ(stat("open/new.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(teste::temporaryFilesOf("open/rank.txt") + teste::temporaryFilesOf("shared/lumo.cfg"), 0);
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
    teste::salvaImagem("picture.png", 641, 8, 10, 20, 30);
    EXPECT_FALSE(loadPng("picture.png")) << "641 x 8";
    teste::salvaImagem("picture.png", 8, 481, 10, 20, 30);
    EXPECT_FALSE(loadPng("picture.png")) << "8 x 481";
    teste::salvaImagem("picture.jpg", 8, 8, 10, 20, 30);
    std::string jpeg = teste::leArquivo("picture.jpg");
    const size_t frame = jpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    jpeg.replace(frame + 5, 4, "\x3E\x80\x3E\x80");  // height and width
    teste::escreveArquivo("picture.jpg", jpeg);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const long peakBefore = usage.ru_maxrss;
    EXPECT_EQ(loadJpeg("picture.jpg"), nullptr);
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss - peakBefore, 64 * 1024) << "kilobytes taken for a picture refused";
}
