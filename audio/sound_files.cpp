#include "audio/sound_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

// Rates outside these are no sound file of ours; a rate of 0 would even
// hold a voice for ever.
const long LOWEST_RATE = 4000;
const long HIGHEST_RATE = 96000;

bool playable(const SAMPLE* s) {
    return s && s->len > 0 && s->freq >= LOWEST_RATE && s->freq <= HIGHEST_RATE;
}

SAMPLE* checked(SAMPLE* s, const std::string& path) {
    if (playable(s)) return s;
    if (s) destroy_sample(s);
    const bool exists = static_cast<bool>(std::ifstream(path));
    std::fprintf(stderr, "%s %s\n", path.c_str(), exists ? "is damaged" : "not found");
    return nullptr;
}

uint32_t le(const std::string& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int k = bytes - 1; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + k]);
    return v;
}

}  // namespace

SAMPLE* loadEffectFile(const std::string& path) { return checked(load_sample(path.c_str()), path); }

SAMPLE* loadLoopFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << f.rdbuf();
    return checked(f ? loopFromWav(bytes.str()) : nullptr, path);
}

SAMPLE* loopFromWav(const std::string& b) {
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return nullptr;
    int channels = 0, bits = 0;
    long rate = 0;
    bool format = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const size_t length = le(b, at + 4, 4);
        at += 8;
        if (length > b.size() - at) return nullptr;  // cut short
        if (id == "fmt ") {
            if (length < 16 || le(b, at, 2) != 1) return nullptr;  // not plain PCM
            channels = le(b, at + 2, 2);
            rate = le(b, at + 4, 4);
            bits = le(b, at + 14, 2);
            format = true;
        } else if (id == "data") {
            if (!format || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return nullptr;
            if (rate < LOWEST_RATE || rate > HIGHEST_RATE) return nullptr;
            const size_t frames = length / (channels * bits / 8);
            if (frames == 0) return nullptr;
            SAMPLE* s = create_sample(bits, channels == 2, rate, frames);
            if (!s) return nullptr;
            if (bits == 8) {
                std::memcpy(s->data, b.data() + at, frames * channels);
            } else {
                // Allegro keeps 16-bit samples unsigned.
                uint16_t* out = static_cast<uint16_t*>(s->data);
                for (size_t k = 0; k < frames * channels; ++k) out[k] = le(b, at + 2 * k, 2) ^ 0x8000;
            }
            return s;
        }
        at += length + (length & 1);
    }
    return nullptr;
}
