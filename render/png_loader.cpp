#include "render/png_loader.h"

#include "render/picture_limits.h"
#include "storage/regular_file.h"

#include <loadpng.h>

#include <cstring>

namespace {

// The signature, then the first chunk, which must be the header: its length
// (13), "IHDR", then the width and the height as big-endian numbers.
const unsigned char SIGNATURE[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
const size_t HEADER_END = 33;

unsigned long bigEndian(const std::string& bytes, size_t at) {
    unsigned long v = 0;
    for (size_t k = at; k < at + 4; ++k) v = v << 8 | static_cast<unsigned char>(bytes[k]);
    return v;
}

}  // namespace

BITMAP* loadPng(const std::string& path) {
    std::string bytes;
    if (!readRegularFile(path, bytes, MAX_PICTURE_BYTES)) return nullptr;
    if (bytes.size() < HEADER_END || std::memcmp(bytes.data(), SIGNATURE, sizeof SIGNATURE) != 0 ||
        std::memcmp(bytes.data() + 12, "IHDR", 4) != 0 || !pictureFits(bigEndian(bytes, 16), bigEndian(bytes, 20)))
        return nullptr;
    // Read once, from memory: load_png would open the file by name again.
    return load_memory_png(bytes.data(), int(bytes.size()), nullptr);
}
