// The table of ten best times: sorting, entering a result, the rank file and
// the rows drawn on the ranking panel.
#include <gtest/gtest.h>

#include "app/jogo.h"
#include "tests/support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

namespace {

class Ranking : public ::testing::Test {
protected:
    void SetUp() override { teste::iniciaAllegro(); }

    // Loads the table through the menu's entry, which reads and sorts the file.
    void carrega(const std::string& texto) {
        teste::escreveArquivo("rank.txt", texto);
        jogo.entraMenu();
    }
    std::vector<short> tabela() const {
        return std::vector<short>(jogo.getRanking(), jogo.getRanking() + 20);
    }
    void termina(short m, short s) {
        jogo.getMapa().setMin(m);
        jogo.getMapa().setSeg(s);
        jogo.ordenaSelection();
        jogo.insereRanking();
    }

    teste::PastaTemporaria pasta;
    Jogo jogo;
};

const char* const DEZ_PARES = "9 0\n3 0\n0 0\n7 0\n1 0\n8 0\n2 0\n6 0\n5 0\n4 0\n";

}  // namespace

TEST_F(Ranking, OrdenaPorMinutosEDepoisSegundos) {
    carrega("2 40 2 30 0 5 10 0 2 35 1 59 0 4 3 0 2 30 99 99");
    EXPECT_EQ(tabela(), (std::vector<short>{0, 4, 0, 5, 1, 59, 2, 30, 2, 30, 2, 35, 2, 40, 3, 0,
                                            10, 0, 99, 99}));
    carrega(DEZ_PARES);
    for (short k = 0; k < 10; ++k) EXPECT_EQ(tabela()[2 * k], k);
}

TEST_F(Ranking, ResultadoEntraSoQuandoMaisLongoQueOMenor) {
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

TEST_F(Ranking, TheEntryGivesThePlaceItTook) {
    struct Case {
        const char* table;
        short m, s, place;
    } cases[] = {
        {"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0", 0, 20, 1},  // an empty table: new best
        {DEZ_PARES, 9, 30, 1},                                   // longer than every one kept
        {DEZ_PARES, 9, 0, 1},                                    // equal to the best: shares first place
        {DEZ_PARES, 4, 30, 6},                                   // five kept are longer
        {DEZ_PARES, 0, 30, 10},                                  // only the lowest is shorter
        {DEZ_PARES, 0, 0, 0},                                    // equal to the lowest: not entered
        {"2 30 4 0 4 1 4 2 4 3 4 4 4 5 4 6 4 7 4 8", 1, 59, 0},  // shorter than all
    };
    for (const Case& c : cases) {
        carrega(c.table);
        jogo.getMapa().setMin(c.m);
        jogo.getMapa().setSeg(c.s);
        jogo.ordenaSelection();
        EXPECT_EQ(jogo.insereRanking(), c.place) << c.m << ":" << c.s;
        // The place read back from the file that was written.
        if (c.place > 0) {
            const auto t = tabela();
            EXPECT_EQ(t[2 * (10 - c.place)], c.m) << c.m << ":" << c.s;
        }
    }
}

TEST_F(Ranking, ArquivoIdaEVolta) {
    carrega("5 7 0 0 12 59 1 1 0 0 0 0 0 0 0 0 0 0 0 0");
    termina(0, 30);
    EXPECT_EQ(teste::leArquivo("rank.txt"),
              "0 0\n0 0\n0 0\n0 0\n0 0\n0 0\n0 30\n1 1\n5 7\n12 59\n");
    Jogo outro;
    outro.entraMenu();
    EXPECT_EQ(std::vector<short>(outro.getRanking(), outro.getRanking() + 20), tabela());
    EXPECT_FALSE(teste::existe("rank.txt.tmp"));
}

TEST_F(Ranking, ArquivoCurtoOuLixo) {
    std::filesystem::remove("rank.txt");
    jogo.entraMenu();  // no file: the table stays at zeros
    EXPECT_EQ(tabela(), std::vector<short>(20, 0));
    carrega("3 4 5");  // short: the rest keeps what it held
    EXPECT_EQ(tabela(), (std::vector<short>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 4, 5, 0}));
    carrega("7 8 x 9 9");  // reading stops at the first non-number
    EXPECT_EQ(tabela(), (std::vector<short>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 4, 5, 0, 7, 8}));
}

TEST_F(Ranking, GravacaoQueFalhaDeixaOArquivoAnterior) {
    carrega(DEZ_PARES);
    const std::string antes = teste::leArquivo("rank.txt");
    // The temporary name taken by a folder: the write cannot even start.
    std::filesystem::create_directory("rank.txt.tmp");
    termina(50, 0);
    EXPECT_EQ(teste::leArquivo("rank.txt"), antes);
    std::filesystem::remove("rank.txt.tmp");

    // A read-only rank file is left as it is.
    chmod("rank.txt", 0444);
    termina(51, 0);
    EXPECT_EQ(teste::leArquivo("rank.txt"), antes);
    chmod("rank.txt", 0644);
    EXPECT_EQ(tabela()[16], 50);  // the table itself still took both results
    EXPECT_EQ(tabela()[18], 51);
}

TEST_F(Ranking, PastaSemEscritaDeixaOArquivoAnterior) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    carrega(DEZ_PARES);
    const std::string antes = teste::leArquivo("rank.txt");
    chmod(".", 0555);
    termina(50, 0);
    chmod(".", 0755);
    EXPECT_EQ(teste::leArquivo("rank.txt"), antes);
}

TEST_F(Ranking, LinhasEDigitosNoPainel) {
    teste::criaConjuntoImagens();
    ASSERT_TRUE(jogo.getRender().carregaImagens());
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
