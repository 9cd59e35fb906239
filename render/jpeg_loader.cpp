#include "render/jpeg_loader.h"

#include "render/picture_limits.h"
#include "storage/regular_file.h"

#include <sys/mman.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <cstdint>
#include <string>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixel layouts below assume little-endian");

namespace {

// Where libjpeg-turbo's byte orders put red, green and blue in Allegro's pixels.
struct Layout {
    int depth, rShift, gShift, bShift, format;
};
const Layout LAYOUTS[] = {
    {32, 16, 8, 0, TJPF_BGRX}, {32, 0, 8, 16, TJPF_RGBX}, {32, 24, 16, 8, TJPF_XBGR},
    {32, 8, 16, 24, TJPF_XRGB}, {24, 16, 8, 0, TJPF_BGR},  {24, 0, 8, 16, TJPF_RGB},
};

// The pixel format that writes Allegro's pixels of this depth as they are, or -1.
int directFormat(int depth) {
    if (depth != 32 && depth != 24) return -1;
    const int r = depth == 32 ? _rgb_r_shift_32 : _rgb_r_shift_24;
    const int g = depth == 32 ? _rgb_g_shift_32 : _rgb_g_shift_24;
    const int b = depth == 32 ? _rgb_b_shift_32 : _rgb_b_shift_24;
    for (const Layout& l : LAYOUTS)
        if (l.depth == depth && l.rShift == r && l.gShift == g && l.bShift == b) return l.format;
    return -1;
}

// libjpeg-turbo fills the spare byte of a 32-bit pixel with 255; Allegro's
// colours (makecol, the mask colour) have 0 there.
void clearSpareByte(BITMAP* bmp, int format) {
    const std::uint32_t keep = format == TJPF_XBGR || format == TJPF_XRGB ? 0xFFFFFF00u : 0x00FFFFFFu;
    const int w = bmp->w, h = bmp->h;  // locals, so the loop vectorises
    for (int y = 0; y < h; ++y) {
        std::uint32_t* p = reinterpret_cast<std::uint32_t*>(bmp->line[y]);
        for (int x = 0; x < w; ++x) p[x] &= keep;
    }
}

// One call maps the bitmap's pages, rather than a page fault at the first
// write to each: faults are dear in a virtual machine. Best effort.
void populate(BITMAP* bmp, int bytesPerPixel) {
    const std::uintptr_t page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    std::uintptr_t start = std::uintptr_t(bmp->line[0]);
    std::uintptr_t end = std::uintptr_t(bmp->line[bmp->h - 1]) + std::uintptr_t(bmp->w) * bytesPerPixel;
    start = (start + page - 1) & ~(page - 1);
    end &= ~(page - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
}

BITMAP* decode(tjhandle tj, const std::string& file, int depth, int format) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.data());
    int w = 0, h = 0, subsampling = 0, colourspace = 0;
    if (format < 0 || tjDecompressHeader3(tj, bytes, file.size(), &w, &h, &subsampling, &colourspace) != 0 ||
        !pictureFits(w, h))
        return nullptr;
    BITMAP* bmp = create_bitmap_ex(depth, w, h);
    if (!bmp) return nullptr;
    populate(bmp, tjPixelSize[format]);
    // A memory bitmap keeps its rows in one block, evenly spaced.
    const int pitch = h > 1 ? int(bmp->line[1] - bmp->line[0]) : 0;
    // A warning means data ran out or was corrupt and the decoder made rows up.
    if (tjDecompress2(tj, bytes, file.size(), bmp->line[0], w, pitch, h, format, TJFLAG_STOPONWARNING) != 0) {
        destroy_bitmap(bmp);
        return nullptr;
    }
    if (depth == 32) clearSpareByte(bmp, format);
    return bmp;
}

}  // namespace

BITMAP* loadJpeg(const std::string& path) {
    std::string bytes;
    if (!readRegularFile(path, bytes, MAX_PICTURE_BYTES)) return nullptr;
    tjhandle tj = tjInitDecompress();
    if (!tj) return nullptr;
    const int depth = get_color_depth();
    const int format = directFormat(depth);
    // At 8, 15 and 16 bits the picture is decoded at 32 and converted by blit.
    BITMAP* bmp = decode(tj, bytes, format < 0 ? 32 : depth, format < 0 ? directFormat(32) : format);
    tjDestroy(tj);
    if (bmp && format < 0) {
        BITMAP* converted = create_bitmap_ex(depth, bmp->w, bmp->h);
        if (converted) blit(bmp, converted, 0, 0, 0, 0, bmp->w, bmp->h);
        destroy_bitmap(bmp);
        bmp = converted;
    }
    return bmp;
}
