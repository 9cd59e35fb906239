// The game's JPEG decoding: every shipped JPEG must look as ImageMagick's
// decode of the same file shows it, at every pixel layout and depth Allegro
// may use; a complete file with bytes after it loads, one cut short never does.
#include <gtest/gtest.h>

#include "render/jpeg_loader.h"
#include "render/render.h"
#include "tests/support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string root = LUMO_SOURCE_DIR;

std::vector<std::string> shippedJpegs() {
    std::vector<std::string> paths;
    for (const ArquivoImagem& a : Render::tabela())
        if (!a.png) paths.push_back(a.caminho);
    return paths;
}

// The file's pixels as 8-bit RGB rows, decoded by ImageMagick.
std::vector<unsigned char> referenceDecode(const std::string& path) {
    std::vector<unsigned char> rgb;
    if (std::FILE* p = popen(("convert '" + path + "' -depth 8 rgb:- 2>/dev/null").c_str(), "r")) {
        unsigned char block[65536];
        for (size_t n; (n = std::fread(block, 1, sizeof block, p)) > 0;) rgb.insert(rgb.end(), block, block + n);
        if (pclose(p) != 0) rgb.clear();
    }
    return rgb;
}

struct Difference {
    double meanR = 0, meanG = 0, meanB = 0;
    long spareBytesSet = 0;  // 32-bit pixels whose unused byte is not what makecol gives
};

// Per-channel mean absolute difference between a bitmap and RGB rows of its
// size, the rows first reduced to the bitmap's depth as Allegro does.
Difference compare(BITMAP* bmp, const std::vector<unsigned char>& rgb) {
    Difference d;
    const int depth = bitmap_color_depth(bmp);
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) {
            const unsigned char* c = &rgb[(size_t(y) * bmp->w + x) * 3];
            const int p = getpixel(bmp, x, y), q = makecol_depth(depth, c[0], c[1], c[2]);
            d.meanR += std::abs(getr_depth(depth, p) - getr_depth(depth, q));
            d.meanG += std::abs(getg_depth(depth, p) - getg_depth(depth, q));
            d.meanB += std::abs(getb_depth(depth, p) - getb_depth(depth, q));
            if (depth == 32 && geta32(p) != geta32(q)) ++d.spareBytesSet;
        }
    const double n = double(bmp->w) * bmp->h;
    d.meanR /= n;
    d.meanG /= n;
    d.meanB /= n;
    return d;
}

class JpegLoader : public testing::Test {
protected:
    void SetUp() override { test::startAllegro(); }
    void TearDown() override { set_color_depth(32); }

    void expectLikeReference(const std::string& path, const std::vector<unsigned char>& reference,
                             const std::string& what) {
        BITMAP* ours = loadJpeg(path);
        ASSERT_NE(ours, nullptr) << path << " " << what;
        EXPECT_EQ(bitmap_color_depth(ours), get_color_depth()) << path << " " << what;
        ASSERT_EQ(size_t(ours->w) * ours->h * 3, reference.size()) << path << " has another size than the reference";
        const Difference d = compare(ours, reference);
        EXPECT_LE(d.meanR, 1.0) << path << " " << what;
        EXPECT_LE(d.meanG, 1.0) << path << " " << what;
        EXPECT_LE(d.meanB, 1.0) << path << " " << what;
        EXPECT_EQ(d.spareBytesSet, 0) << path << " " << what;
        destroy_bitmap(ours);
    }

    test::TempFolder folder;
};

// Where the end-of-image marker's two bytes start: the file's last two.
std::string withoutEnd(const std::string& bytes) { return bytes.substr(0, bytes.size() - 2); }

}  // namespace

TEST_F(JpegLoader, ShippedPicturesDecodeLikeTheReference) {
    const std::vector<std::string> paths = shippedJpegs();
    ASSERT_EQ(paths.size(), 12u);
    for (const std::string& p : paths) expectLikeReference(root + "/" + p, referenceDecode(root + "/" + p), "");
}

TEST_F(JpegLoader, EveryPixelLayoutAndDepth) {
    // The shifts a display driver may choose; each must land in the right channel.
    struct Shifts {
        int depth, r, g, b;
    };
    const Shifts layouts[] = {{32, 16, 8, 0}, {32, 0, 8, 16}, {32, 24, 16, 8}, {32, 8, 16, 24},
                              {24, 16, 8, 0}, {24, 0, 8, 16}};
    const int saved[] = {_rgb_r_shift_32, _rgb_g_shift_32, _rgb_b_shift_32, _rgb_a_shift_32,
                         _rgb_r_shift_24, _rgb_g_shift_24, _rgb_b_shift_24};
    const std::string level = root + "/Data/Imagens/Niveis/02.jpg", black = root + "/Data/Imagens/black.jpg";
    const std::vector<unsigned char> levelRgb = referenceDecode(level), blackRgb = referenceDecode(black);
    for (const Shifts& s : layouts) {
        set_color_depth(s.depth);
        int& r = s.depth == 32 ? _rgb_r_shift_32 : _rgb_r_shift_24;
        int& g = s.depth == 32 ? _rgb_g_shift_32 : _rgb_g_shift_24;
        int& b = s.depth == 32 ? _rgb_b_shift_32 : _rgb_b_shift_24;
        r = s.r, g = s.g, b = s.b;
        if (s.depth == 32) _rgb_a_shift_32 = s.r == 0 || s.b == 0 ? 24 : 0;
        const std::string what = std::to_string(s.depth) + " bits, red at " + std::to_string(s.r);
        expectLikeReference(level, levelRgb, what);
        expectLikeReference(black, blackRgb, what);  // grey scale
    }
    _rgb_r_shift_32 = saved[0], _rgb_g_shift_32 = saved[1], _rgb_b_shift_32 = saved[2], _rgb_a_shift_32 = saved[3];
    _rgb_r_shift_24 = saved[4], _rgb_g_shift_24 = saved[5], _rgb_b_shift_24 = saved[6];
    // Depths with no direct layout go through a conversion.
    for (int depth : {16, 15}) {
        set_color_depth(depth);
        expectLikeReference(level, levelRgb, std::to_string(depth) + " bits");
    }
}

TEST_F(JpegLoader, CompleteFileWithBytesAfterItLoads) {
    // What editors and cameras append: text, zeros, even another picture's start.
    const std::string tail = std::string("trailing metadata") + std::string(600, '\0') + "\xFF\xD8\xFF\xE0";
    for (const std::string& p : shippedJpegs()) {
        const std::string original = test::readFile(root + "/" + p);
        test::writeFile("padded.jpg", original + tail);
        BITMAP* padded = loadJpeg("padded.jpg");
        BITMAP* plain = loadJpeg(root + "/" + p);
        ASSERT_NE(padded, nullptr) << p << " with bytes after its end was refused";
        ASSERT_NE(plain, nullptr) << p;
        ASSERT_EQ(padded->w, plain->w) << p;
        ASSERT_EQ(padded->h, plain->h) << p;
        long differing = 0;
        for (int y = 0; y < plain->h; ++y)
            for (int x = 0; x < plain->w; ++x) differing += getpixel(padded, x, y) != getpixel(plain, x, y);
        EXPECT_EQ(differing, 0) << p << " decodes differently with bytes after its end";
        destroy_bitmap(padded);
        destroy_bitmap(plain);
    }
}

TEST_F(JpegLoader, FileCutShortIsRefusedWhateverFollows) {
    for (const std::string& p : shippedJpegs()) {
        const std::string original = test::readFile(root + "/" + p);
        const std::string half = original.substr(0, original.size() / 2);
        // Only the end-of-image marker missing; half the data then an end
        // marker; half the data then padding.
        for (const std::string& damaged : {withoutEnd(original), half + "\xFF\xD9", half + std::string(4096, '\0')}) {
            test::writeFile("damaged.jpg", damaged);
            BITMAP* b = loadJpeg("damaged.jpg");
            EXPECT_EQ(b, nullptr) << p << " cut short to " << damaged.size() << " bytes was loaded";
            if (b) destroy_bitmap(b);
        }
    }
}

TEST_F(JpegLoader, MissingFileFolderAndPicturesLargerThanTheScreenAreRefused) {
    EXPECT_EQ(loadJpeg("no such file.jpg"), nullptr);
    std::filesystem::create_directory("folder.jpg");
    EXPECT_EQ(loadJpeg("folder.jpg"), nullptr);
    // The screen's size loads, whole; a pixel more either way does not.
    struct {
        int w, h;
        bool loads;
    } const sizes[] = {{640, 480, true}, {641, 8, false}, {8, 481, false}};
    for (const auto& s : sizes) {
        test::saveImage("side.jpg", s.w, s.h, 90, 160, 230);
        BITMAP* b = loadJpeg("side.jpg");
        EXPECT_EQ(b != nullptr, s.loads) << s.w << " x " << s.h;
        if (b) {
            EXPECT_TRUE(test::near(test::pixel(b, s.w - 1, s.h - 1), {90, 160, 230}));
            destroy_bitmap(b);
        }
    }
}

TEST_F(JpegLoader, TableWithPaddedPicturesLoads) {
    std::filesystem::copy(root + "/Data", "Data", std::filesystem::copy_options::recursive);
    for (const std::string& p : shippedJpegs()) test::writeFile(p, test::readFile(p) + std::string(100, '\x55'));
    Render r;
    EXPECT_TRUE(r.carregaImagens());
    for (const ArquivoImagem& a : Render::tabela()) EXPECT_NE(r.imagem(a.slot), nullptr) << a.caminho;
}
