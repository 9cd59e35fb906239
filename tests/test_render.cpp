// The image table and the drawing operations, on a memory screen with
// images made by the tests themselves.
#include <gtest/gtest.h>

#include "storage/data_folder.h"
#include "render/render.h"
#include "tests/headless.h"

#include <loadpng.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sys/stat.h>

using test::Rgb;

namespace {

class ImageTable : public test::Headless {
protected:
    void SetUp() override {
        Headless::SetUp();
        test::makeImageSet();
    }
    // Loads and returns the message the game shows.
    std::string loadAll(Render& r, bool expected) {
        EXPECT_EQ(r.carregaImagens(), expected);
        return r.failure();
    }
};

int filled(const Render& r, int from, int to) {
    int n = 0;
    for (int s = from; s <= to; ++s) n += r.imagem(s) != nullptr;
    return n;
}

}  // namespace

TEST_F(ImageTable, EveryFilePresentFillsItsSlot) {
    Render r;
    EXPECT_EQ(loadAll(r, true), "");
    EXPECT_EQ(filled(r, 0, 99), 94);
    EXPECT_EQ(filled(r, 100, Render::SLOTS - 1), 41);
    for (int s : {77, 78, 79, 88, 89, 98})
        EXPECT_EQ(r.imagem(s), nullptr) << "slot " << s;
    for (int s : {0, 8, 9, 10, 15, 16, 19, 20, 22, 23, 24, 25, 29, 30, 34, 35, 36, 37, 38, 39, 40, 42, 43, 49, 50, 71, 72,
                  74, 75, 76, 80, 87, 90, 97, 99})
        EXPECT_NE(r.imagem(s), nullptr) << "slot " << s;
    // Each file went to its own slot.
    EXPECT_EQ(test::pixel(r.imagem(63), 0, 0), test::rgbOf(test::slotColour(63)));
    EXPECT_EQ(test::pixel(r.imagem(93), 0, 0), test::rgbOf(test::slotColour(93)));
}

TEST_F(ImageTable, FilesInSlotOrder) {
    const auto& t = Render::tabela();
    ASSERT_EQ(t.size(), 135u);
    std::set<std::string> paths;
    for (size_t i = 1; i < t.size(); ++i) EXPECT_LT(t[i - 1].slot, t[i].slot);
    for (const auto& a : t) paths.insert(a.caminho);
    EXPECT_EQ(paths.size(), 135u);
    for (const char* c : {"Data/B01.jpg", "Data/Imagens/numeros/03v.png",
                          "Data/Imagens/Relogio/rClock07.png", "Data/Imagens/Menu/creditos.jpg",
                          "Data/Imagens/Itens/iCerveja.png", "Data/Imagens/black.jpg",
                          "Data/Imagens/Summary/best.png", "Data/Imagens/Popups/9.png",
                          "Data/Imagens/paused.png", "Data/Imagens/Marks/heading15.png"})
        EXPECT_EQ(paths.count(c), 1u) << c;
}

// What the player reads: the full path, what went wrong, and for a missing
// file what to do.
std::string missing(const std::string& caminho, const char* problem = "not found") {
    const std::string hint = std::string(problem) == "not found"
                                 ? "\nrun lumo from the folder that holds Data/, or use the installed lumo"
                                 : "";
    return std::filesystem::current_path().string() + "/" + caminho + " " + problem + hint;
}

TEST_F(ImageTable, AMissingFileStopsTheLoading) {
    std::remove("Data/Imagens/numeros/05v.png");
    Render r;
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadAll(r, false), missing("Data/Imagens/numeros/05v.png"));
    // The box's two lines are one on stderr.
    std::string line = missing("Data/Imagens/numeros/05v.png");
    line.replace(line.find('\n'), 1, "; ");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "lumo: " + line + "\n");
    EXPECT_EQ(filled(r, 0, 64), 65);  // every slot before it
    EXPECT_EQ(filled(r, 66, 99), 0);  // nothing after it opened
}

TEST_F(ImageTable, MissingFileMessages) {
    for (const char* file : {"Data/Imagens/Menu/LMBanner.png", "Data/Imagens/Niveis/02.jpg",
                                "Data/Imagens/Menu/creditos.jpg", "Data/Imagens/Relogio/yClock03.png",
                                "Data/Imagens/black.jpg"}) {
        std::string saved = test::readFile(file);
        std::remove(file);
        Render r;
        EXPECT_EQ(loadAll(r, false), missing(file));
        test::writeFile(file, saved);
    }
    Render banner;
    std::remove("Data/Imagens/Menu/LMBanner.png");
    loadAll(banner, false);
    EXPECT_EQ(filled(banner, 0, 99), 0);
}

TEST_F(ImageTable, ADigitFolderWithCapitalsDoesNotServe) {
    std::rename("Data/Imagens/numeros", "Data/Imagens/Numeros");
    Render r;
    EXPECT_EQ(loadAll(r, false), missing("Data/Imagens/numeros/00.png"));
}

TEST_F(ImageTable, ADamagedFileFailsToo) {
    test::writeFile("Data/Imagens/Personagens/coco.png", "not a png");
    Render r;
    EXPECT_EQ(loadAll(r, false), missing("Data/Imagens/Personagens/coco.png", "is damaged"));
    std::remove("Data/Imagens/Personagens/coco.png");
    mkfifo("Data/Imagens/Personagens/coco.png", 0644);
    Render piped;
    EXPECT_EQ(loadAll(piped, false),
              missing("Data/Imagens/Personagens/coco.png", "is a named pipe, not a regular file"));
}

// The shipped files are looked for where Data/ is: the working folder
// first, then the program's folder, then the one above it.
TEST_F(ImageTable, DataFolderIsTheFirstThatHoldsData) {
    std::filesystem::create_directories("build/tests");
    std::filesystem::create_directories("other/Data");
    test::writeFile("build/Data", "a file, not a folder");
    EXPECT_EQ(findDataFolder({"", "build/tests/", "build/"}), "");  // the working folder has Data/
    std::filesystem::rename("Data", "tree");
    EXPECT_EQ(findDataFolder({"", "build/tests/", "build/"}), "") << "none holds a Data folder";
    EXPECT_EQ(findDataFolder({"", "build/tests/", "build/", "other/"}), "other/");
    EXPECT_EQ(findDataFolder({"", "build/tests/", "other/", "tree/"}), "other/");
}

class Drawing : public ImageTable {
protected:
    void SetUp() override {
        ImageTable::SetUp();
        // Slot 10 becomes a 4x4 PNG: left half transparent, right half 50% red.
        BITMAP* b = create_bitmap_ex(32, 4, 4);
        clear_to_color(b, makeacol32(0, 0, 0, 0));
        rectfill(b, 2, 0, 3, 3, makeacol32(255, 0, 0, 128));
        save_png("Data/Imagens/Personagens/smile.png", b, nullptr);
        destroy_bitmap(b);
        loadAll(r, true);
    }
    Render r;
};

TEST_F(Drawing, CopyPastTheEdgeIsClipped) {
    clear_to_color(screen, makecol32(1, 2, 3));
    r.limpaPersonagem(99, 620, 470, 50, 50);
    EXPECT_TRUE(test::near(test::pixel(screen, 639, 479), test::rgbOf(test::slotColour(99))));
    EXPECT_EQ(test::pixel(screen, 619, 479), (Rgb{1, 2, 3}));
    EXPECT_EQ(test::pixel(screen, 639, 469), (Rgb{1, 2, 3}));
    r.limpaPersonagem(20, -30, -10, 40, 40);  // partly off the left and top
    EXPECT_TRUE(test::near(test::pixel(screen, 0, 0), test::rgbOf(test::slotColour(20))));
    EXPECT_TRUE(test::near(test::pixel(screen, 9, 29), test::rgbOf(test::slotColour(20))));
    EXPECT_EQ(test::pixel(screen, 10, 0), (Rgb{1, 2, 3}));
}

TEST_F(Drawing, TransparentBlendsByAlpha) {
    clear_to_color(screen, makecol32(0, 0, 200));
    r.desenhaImagemTrans(10, 100, 100);
    EXPECT_EQ(test::pixel(screen, 100, 100), (Rgb{0, 0, 200}));  // alpha 0: unchanged
    Rgb middle = test::pixel(screen, 102, 100);
    EXPECT_NEAR(middle.r, 128, 3);
    EXPECT_NEAR(middle.b, 100, 3);
    EXPECT_EQ(test::pixel(screen, 104, 100), (Rgb{0, 0, 200}));
}

TEST_F(Drawing, MaskedSkipsOnlyThePink) {
    // A JPEG cannot hold the exact mask colour reliably: paint it into the loaded slot.
    BITMAP* button = r.imagem(40);
    putpixel(button, 0, 0, makecol32(255, 0, 255));
    putpixel(button, 1, 0, makecol32(255, 0, 254));
    putpixel(button, 2, 0, makecol32(254, 0, 255));
    clear_to_color(screen, makecol32(10, 20, 30));
    r.desenhaImagem(40, 0, 0);
    EXPECT_EQ(test::pixel(screen, 0, 0), (Rgb{10, 20, 30}));
    EXPECT_EQ(test::pixel(screen, 1, 0), (Rgb{255, 0, 254}));
    EXPECT_EQ(test::pixel(screen, 2, 0), (Rgb{254, 0, 255}));
}

TEST_F(Drawing, ClearingTheScreenLeavesItBlack) {
    clear_to_color(screen, makecol32(200, 100, 50));
    r.limpaTela();
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 7) ASSERT_EQ(test::pixel(screen, x, y), (Rgb{0, 0, 0}));
    EXPECT_EQ(test::pixel(screen, 639, 479), (Rgb{0, 0, 0}));
}

TEST_F(Drawing, AnEmptySlotDrawsNothing) {
    clear_to_color(screen, makecol32(7, 8, 9));
    r.desenhaImagem(78, 0, 0);
    r.desenhaImagemTrans(98, 0, 0);
    r.limpaPersonagem(79, 0, 0, 640, 480);
    EXPECT_EQ(test::pixel(screen, 0, 0), (Rgb{7, 8, 9}));
}
