#include "tests/support.h"

#include "render/render.h"
#include "storage/file_lock.h"

#include <loadpng.h>
#include <turbojpeg.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace test {

void startAllegro() {
    static bool done = false;
    if (!done) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        screen = create_bitmap(640, 480);
        done = true;
    }
    set_alpha_blender();
    clear_bitmap(screen);
}

TempFolder::TempFolder() {
    char model[] = "/tmp/lumo-test-XXXXXX";
    if (!mkdtemp(model)) throw std::runtime_error("mkdtemp failed");
    folder = model;
    previous = fs::current_path().string();
    fs::current_path(folder);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::current_path(previous, ec);
    // Some tests make files read-only: give write access back before removing.
    for (auto& e : fs::recursive_directory_iterator(folder, ec))
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder, ec);
}

void writeFile(const std::string& path, const std::string& contents) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream f(path, std::ios::binary);
    f << contents;
}

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool exists(const std::string& path) { return fs::exists(path); }

int temporaryFilesOf(const std::string& name) {
    int n = 0;
    for (const auto& e : fs::directory_iterator("."))
        n += e.path().filename().string().rfind(name + ".", 0) == 0 &&
             e.path().filename().string().size() == name.size() + 7;
    return n;
}

// One colour at the best quality without chroma subsampling, so it decodes
// back within a step or two of each channel.
static bool writeOneColourJpeg(const std::string& path, int w, int h, int r, int g, int b) {
    std::vector<unsigned char> rgb(size_t(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) rgb[i] = r, rgb[i + 1] = g, rgb[i + 2] = b;
    tjhandle tj = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    bool ok = tj && tjCompress2(tj, rgb.data(), w, 0, h, TJPF_RGB, &jpeg, &size, TJSAMP_444, 100, 0) == 0;
    if (ok) {
        std::ofstream f(path, std::ios::binary);
        ok = bool(f.write(reinterpret_cast<const char*>(jpeg), std::streamsize(size)));
    }
    tjFree(jpeg);
    if (tj) tjDestroy(tj);
    return ok;
}

void saveImage(const std::string& path, int w, int h, int r, int g, int b, int a) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    bool ok;
    if (p.extension() == ".png") {
        BITMAP* bmp = create_bitmap_ex(32, w, h);
        clear_to_color(bmp, makeacol32(r, g, b, a));
        ok = save_png(path.c_str(), bmp, nullptr) == 0;
        destroy_bitmap(bmp);
    } else {
        ok = writeOneColourJpeg(path, w, h, r, g, b);
    }
    if (!ok) throw std::runtime_error("could not write " + path);
}

int slotColour(int slot) {
    // Coarse steps keep neighbouring slots apart even after JPEG rounding.
    return makecol32(40 + (slot % 5) * 50, 40 + ((slot / 5) % 5) * 50, 40 + (slot / 25) * 50);
}

static bool fullScreen(int slot) {
    return (slot >= 20 && slot <= 22) || slot == 25 || slot == 99;
}

void makeImageSet(const std::function<int(int)>& colour) {
    for (const ArquivoImagem& a : Render::tabela()) {
        int c = colour ? colour(a.slot) : slotColour(a.slot);
        int w = fullScreen(a.slot) ? 640 : 16, h = fullScreen(a.slot) ? 480 : 16;
        saveImage(a.caminho, w, h, getr32(c), getg32(c), getb32(c));
    }
}

Rgb rgbOf(int c) { return {getr32(c), getg32(c), getb32(c)}; }

Rgb pixel(BITMAP* bmp, int x, int y) { return rgbOf(getpixel(bmp, x, y)); }

bool near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

HeldLock::HeldLock(const std::string& path) {
    int ready[2];
    if (pipe(ready) != 0) return;
    child = fork();
    if (child == 0) {
        FileLock lock(path);
        const char answer = lock.held() ? 'y' : 'n';
        if (write(ready[1], &answer, 1) == 1) pause();
        _exit(0);
    }
    char answer = 0;
    holding = child > 0 && read(ready[0], &answer, 1) == 1 && answer == 'y';
    close(ready[0]);
    close(ready[1]);
}

HeldLock::~HeldLock() {
    if (child <= 0) return;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

}  // namespace test
