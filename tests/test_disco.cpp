// The rank file against the disk: a folder mounted read-only, a rank file
// that cannot be replaced, a full folder, and the program killed mid-rewrite.
// The previous table must stay whole and readable, and the game go on.
// Mounting needs root: each mount happens in a child process with a mount
// namespace of its own, and the case is skipped where that is not allowed.
#include <gtest/gtest.h>

#include "app/jogo.h"
#include "tests/support.h"

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
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
    jogo.entraMenu();
    jogo.getMapa().setMin(50);
    jogo.getMapa().setSeg(0);
    jogo.ordenaSelection();
    jogo.insereRanking();
    if (teste::leArquivo("rank.txt") != ANTIGA) return 1;
    if (jogo.getRanking()[18] != 9) return 2;
    if (teste::temporaryFilesOf("rank.txt") != 0) return 3;
    jogo.entraMenu();
    if (jogo.getRanking()[18] != 9) return 4;
    return 0;
}

void verifica(int status) {
    if (status == SEM_MONTAGEM) GTEST_SKIP() << "no mount namespace here (needs root)";
    EXPECT_EQ(status, 0) << "1 file changed, 2 table in memory not the file's, 3 temporary file left, "
                            "4 old table unreadable, 5 no room freed, 6 later write failed";
}

class Disco : public ::testing::Test {
protected:
    void SetUp() override { teste::iniciaAllegro(); }
    teste::PastaTemporaria pasta;
};

}  // namespace

TEST_F(Disco, PastaSomenteLeitura) {
    verifica(emTmpfs("1m", [] {
        teste::escreveArquivo("rank.txt", ANTIGA);
        if (mount("none", ".", nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) return SEM_MONTAGEM;
        return resultadoNaoGravado();
    }));
}

TEST_F(Disco, ArquivoMontadoSomenteLeitura) {
    // The file itself read-only to root too, and a mount point cannot be renamed over.
    verifica(emTmpfs("1m", [] {
        teste::escreveArquivo("rank.txt", ANTIGA);
        if (mount("rank.txt", "rank.txt", nullptr, MS_BIND, nullptr) != 0 ||
            mount("none", "rank.txt", nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return SEM_MONTAGEM;
        return resultadoNaoGravado();
    }));
}

TEST_F(Disco, PastaCheia) {
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
        jogo.entraMenu();
        jogo.getMapa().setMin(60);
        jogo.getMapa().setSeg(0);
        jogo.insereRanking();
        Jogo outro;
        outro.entraMenu();
        return outro.getRanking()[18] == 60 ? 0 : 6;
    }));
}

// A child rewrites the file in a loop, alternating two tables, and is killed
// at a random moment; after each kill the file holds one table whole. The
// child reports its first few whole writes, and the kill comes only after
// them: on a slow machine a kill could otherwise come before the first write
// ever ended, every time, and only the old table would be seen.
TEST_F(Disco, MortoDuranteAGravacao) {
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
        jogo.entraMenu();
        EXPECT_EQ(jogo.getRanking()[0], visto == textoA ? 0 : 1);
    }
    // Both tables were seen, and some kills fell inside a write: each left
    // its temporary file behind.
    temporarios = teste::temporaryFilesOf("rank.txt");
    EXPECT_GT(vistosA, 0);
    EXPECT_GT(vistosB, 0);
    EXPECT_GT(temporarios, 0);
    std::printf("%d kills: table A %d, table B %d, %d mid-write\n", MORTES, vistosA, vistosB, temporarios);
}
