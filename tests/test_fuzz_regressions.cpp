// The fuzz targets' seeds and every input that once failed them, replayed
// through the same code in the normal build.
#include <gtest/gtest.h>

#include "tests/fuzz/targets.h"
#include "tests/headless.h"

#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Contents of every file in the given folders of tests/fuzz.
std::vector<std::pair<std::string, std::string>> inputs(const char* seed, const char* regression) {
    std::vector<std::pair<std::string, std::string>> all;
    for (const char* folder : {seed, regression})
        for (const auto& e : fs::directory_iterator(fs::path(LUMO_SOURCE_DIR) / "tests/fuzz" / folder))
            if (e.path().filename() != ".keep") all.emplace_back(e.path().string(), test::readFile(e.path().string()));
    return all;
}

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

using FuzzRegressions = test::Headless;

}  // namespace

TEST_F(FuzzRegressions, LevelFiles) {
    const auto all = inputs("corpus_level", "regressions_level");
    ASSERT_GE(all.size(), 4u);
    for (const auto& [path, contents] : all) EXPECT_TRUE(fuzz::level(bytes(contents), contents.size())) << path;
}

TEST_F(FuzzRegressions, RankingFiles) {
    test::makeImageSet();
    Jogo jogo;
    ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
    const auto all = inputs("corpus_ranking", "regressions_ranking");
    ASSERT_GE(all.size(), 4u);
    for (const auto& [path, contents] : all)
        EXPECT_TRUE(fuzz::ranking(jogo, bytes(contents), contents.size())) << path;
}
