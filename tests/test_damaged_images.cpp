// Damaged pictures: each of the shipped files in turn cut short, emptied or
// holding the other format's bytes must stop the loading with that file's
// message, never load garbage, crash or hang.
#include <gtest/gtest.h>

#include "render/render.h"
#include "tests/support.h"

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

class DamagedImages : public ::testing::Test {
protected:
    void SetUp() override {
        teste::iniciaAllegro();
        fs::copy(fs::path(LUMO_SOURCE_DIR) / "Data", "Data", fs::copy_options::recursive);
    }

    // Replaces each file in turn by dano(original bytes, file), loads, and
    // puts the file back. Returns how many cases were tried.
    int cadaArquivo(const std::function<std::string(const std::string&, const ArquivoImagem&)>& dano) {
        int casos = 0;
        for (const ArquivoImagem& a : Render::tabela()) {
            const std::string original = teste::leArquivo(a.caminho);
            teste::escreveArquivo(a.caminho, dano(original, a));
            Render r;
            testing::internal::CaptureStderr();
            const bool ok = r.carregaImagens();
            const std::string said = testing::internal::GetCapturedStderr();
            EXPECT_FALSE(ok) << a.caminho << " loaded although damaged";
            EXPECT_EQ(r.failure(), Render::mensagemFalta(a)) << a.caminho;
            EXPECT_EQ(said, "lumo: " + Render::mensagemFalta(a) + "\n") << a.caminho;
            EXPECT_EQ(r.imagem(a.slot), nullptr) << a.caminho;
            teste::escreveArquivo(a.caminho, original);
            ++casos;
        }
        return casos;
    }

    teste::PastaTemporaria pasta;
};

}  // namespace

TEST_F(DamagedImages, CutInHalf) {
    EXPECT_EQ(cadaArquivo([](const std::string& s, const ArquivoImagem&) { return s.substr(0, s.size() / 2); }), 136);
}

TEST_F(DamagedImages, CutAtTheEndOrInTheHeader) {
    // A few bytes short of the end, and just past the header.
    EXPECT_EQ(cadaArquivo([](const std::string& s, const ArquivoImagem&) { return s.substr(0, s.size() - 3); }), 136);
    EXPECT_EQ(cadaArquivo([](const std::string& s, const ArquivoImagem&) { return s.substr(0, 24); }), 136);
}

TEST_F(DamagedImages, EmptyFiles) {
    EXPECT_EQ(cadaArquivo([](const std::string&, const ArquivoImagem&) { return std::string(); }), 136);
}

TEST_F(DamagedImages, BytesOfTheOtherFormat) {
    const std::string png = teste::leArquivo("Data/Imagens/Menu/BSair.png");
    const std::string jpg = teste::leArquivo("Data/Imagens/black.jpg");
    ASSERT_FALSE(png.empty());
    ASSERT_FALSE(jpg.empty());
    EXPECT_EQ(cadaArquivo([&](const std::string&, const ArquivoImagem& a) { return a.png ? jpg : png; }), 136);
}
