// Damaged pictures: each of the shipped files in turn cut short, emptied or
// holding the other format's bytes must stop the loading with that file's
// message, never load garbage, crash or hang.
#include <gtest/gtest.h>

#include "render/render.h"
#include "tests/headless.h"

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

class DamagedImages : public test::Headless {
protected:
    void SetUp() override {
        Headless::SetUp();
        fs::copy(fs::path(LUMO_SOURCE_DIR) / "Data", "Data", fs::copy_options::recursive);
    }

    // Replaces each file in turn by damage(original bytes, file), loads, and
    // puts the file back. Returns how many cases were tried.
    int eachFile(const std::function<std::string(const std::string&, const ArquivoImagem&)>& damage) {
        int cases = 0;
        for (const ArquivoImagem& a : Render::tabela()) {
            const std::string original = test::readFile(a.caminho);
            test::writeFile(a.caminho, damage(original, a));
            Render r;
            testing::internal::CaptureStderr();
            const bool ok = r.carregaImagens();
            const std::string said = testing::internal::GetCapturedStderr();
            EXPECT_FALSE(ok) << a.caminho << " loaded although damaged";
            EXPECT_EQ(r.failure(), Render::mensagemFalta(a)) << a.caminho;
            EXPECT_EQ(said, "lumo: " + Render::mensagemFalta(a) + "\n") << a.caminho;
            EXPECT_EQ(r.imagem(a.slot), nullptr) << a.caminho;
            test::writeFile(a.caminho, original);
            ++cases;
        }
        return cases;
    }
};

}  // namespace

TEST_F(DamagedImages, CutInHalf) {
    EXPECT_EQ(eachFile([](const std::string& s, const ArquivoImagem&) { return s.substr(0, s.size() / 2); }), 135);
}

TEST_F(DamagedImages, CutAtTheEndOrInTheHeader) {
    // A few bytes short of the end, and just past the header.
    EXPECT_EQ(eachFile([](const std::string& s, const ArquivoImagem&) { return s.substr(0, s.size() - 3); }), 135);
    EXPECT_EQ(eachFile([](const std::string& s, const ArquivoImagem&) { return s.substr(0, 24); }), 135);
}

TEST_F(DamagedImages, EmptyFiles) {
    EXPECT_EQ(eachFile([](const std::string&, const ArquivoImagem&) { return std::string(); }), 135);
}

TEST_F(DamagedImages, BytesOfTheOtherFormat) {
    const std::string png = test::readFile("Data/Imagens/Menu/BSair.png");
    const std::string jpg = test::readFile("Data/Imagens/black.jpg");
    ASSERT_FALSE(png.empty());
    ASSERT_FALSE(jpg.empty());
    EXPECT_EQ(eachFile([&](const std::string&, const ArquivoImagem& a) { return a.png ? jpg : png; }), 135);
}
