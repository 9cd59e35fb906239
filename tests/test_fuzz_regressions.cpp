// The fuzz targets' seeds and every input that once failed them, replayed
// through the same code in the normal build.
#include <gtest/gtest.h>

#include "tests/fuzz/targets.h"
#include "tests/support.h"

#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Contents of every file in the given folders of tests/fuzz.
std::vector<std::pair<std::string, std::string>> entradas(const char* semente, const char* regressao) {
    std::vector<std::pair<std::string, std::string>> todas;
    for (const char* pasta : {semente, regressao})
        for (const auto& e : fs::directory_iterator(fs::path(LUMO_SOURCE_DIR) / "tests/fuzz" / pasta))
            if (e.path().filename() != ".keep") todas.emplace_back(e.path().string(), teste::leArquivo(e.path().string()));
    return todas;
}

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

class FuzzRegressions : public ::testing::Test {
protected:
    void SetUp() override { teste::iniciaAllegro(); }
    void TearDown() override {
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    }
    teste::PastaTemporaria pasta;
};

}  // namespace

TEST_F(FuzzRegressions, LevelFiles) {
    const auto todas = entradas("corpus_level", "regressions_level");
    ASSERT_GE(todas.size(), 4u);
    for (const auto& [caminho, conteudo] : todas) EXPECT_TRUE(fuzz::nivel(bytes(conteudo), conteudo.size())) << caminho;
}

TEST_F(FuzzRegressions, RankingFiles) {
    teste::criaConjuntoImagens();
    Jogo jogo;
    ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
    const auto todas = entradas("corpus_ranking", "regressions_ranking");
    ASSERT_GE(todas.size(), 4u);
    for (const auto& [caminho, conteudo] : todas)
        EXPECT_TRUE(fuzz::ranking(jogo, bytes(conteudo), conteudo.size())) << caminho;
}
