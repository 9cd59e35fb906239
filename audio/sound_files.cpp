#include "audio/sound_files.h"

#include "storage/messages.h"
#include "storage/regular_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Rates outside these are no sound file of ours; a rate of 0 would even
// hold a voice for ever.
const long LOWEST_RATE = 4000;
const long HIGHEST_RATE = 96000;
// Our longest loop is under a megabyte; a minute and a half of CD sound fits.
const off_t MAX_SOUND_BYTES = 16 << 20;

bool playable(const SAMPLE* s) {
    return s && s->len > 0 && s->freq >= LOWEST_RATE && s->freq <= HIGHEST_RATE;
}

SAMPLE* checked(SAMPLE* s, const std::string& path) {
    if (playable(s)) return s;
    if (s) destroy_sample(s);
    reportFileProblem(path, "is damaged");
    return nullptr;
}

// The sound file open for reading when it is a regular file of a sound's
// size; -1 after naming it on stderr otherwise.
int openSoundFile(const std::string& path) {
    std::string reason;
    const int fd = openRegularFile(path, &reason);
    struct stat info;
    if (fd >= 0 && fstat(fd, &info) == 0 && info.st_size <= MAX_SOUND_BYTES) return fd;
    if (fd >= 0) {
        close(fd);
        reason = "is larger than " + std::to_string(MAX_SOUND_BYTES) + " bytes";
    }
    // Not there at all reads as it always has.
    if (isNotFound(reason)) reason = "not found";
    reportFileProblem(path, reason);
    return -1;
}

// A little-endian number of the given bytes from the file; false at its end.
bool readLe(std::FILE* f, int bytes, uint32_t& v) {
    unsigned char b[4];
    if (std::fread(b, 1, bytes, f) != static_cast<size_t>(bytes)) return false;
    v = 0;
    for (int k = bytes - 1; k >= 0; --k) v = v << 8 | b[k];
    return true;
}

}  // namespace

// Allegro's reader opens the file by name, so the file is looked at first.
SAMPLE* loadEffectFile(const std::string& path) {
    const int fd = openSoundFile(path);
    if (fd < 0) return nullptr;
    close(fd);
    return checked(load_sample(path.c_str()), path);
}

SAMPLE* loadLoopFile(const std::string& path) {
    const int fd = openSoundFile(path);
    if (fd < 0) return nullptr;
    std::FILE* f = fdopen(fd, "rb");
    if (!f) {
        close(fd);
        return checked(nullptr, path);
    }
    SAMPLE* s = loopFromFile(f);
    std::fclose(f);
    return checked(s, path);
}

SAMPLE* loopFromWav(const std::string& bytes) {
    if (bytes.empty()) return nullptr;
    std::FILE* f = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (!f) return nullptr;
    SAMPLE* s = loopFromFile(f);
    std::fclose(f);
    return s;
}

// Chunk by chunk, the samples read straight into the sound's own memory:
// fresh memory is dear to touch, so nothing is read twice.
SAMPLE* loopFromFile(std::FILE* f) {
    char id[4];
    uint32_t length = 0, format = 0, channels = 0, rate = 0, bits = 0;
    bool haveFormat = false;
    if (std::fread(id, 1, 4, f) != 4 || std::memcmp(id, "RIFF", 4) != 0 || !readLe(f, 4, length)) return nullptr;
    if (std::fread(id, 1, 4, f) != 4 || std::memcmp(id, "WAVE", 4) != 0) return nullptr;
    while (std::fread(id, 1, 4, f) == 4 && readLe(f, 4, length)) {
        if (std::memcmp(id, "fmt ", 4) == 0) {
            uint32_t skip;
            if (length < 16 || !readLe(f, 2, format) || !readLe(f, 2, channels) || !readLe(f, 4, rate) ||
                !readLe(f, 4, skip) || !readLe(f, 2, skip) || !readLe(f, 2, bits))
                return nullptr;
            if (format != 1) return nullptr;  // not plain PCM
            haveFormat = true;
            length -= 16;
        } else if (std::memcmp(id, "data", 4) == 0) {
            if (!haveFormat || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return nullptr;
            if (rate < LOWEST_RATE || rate > HIGHEST_RATE) return nullptr;
            // A length past the end of the file is damage, not a reason to
            // ask for that much memory.
            const long here = std::ftell(f);
            if (here < 0 || std::fseek(f, 0, SEEK_END) != 0 || std::ftell(f) - here < static_cast<long>(length) ||
                std::fseek(f, here, SEEK_SET) != 0)
                return nullptr;
            const size_t values = length / (bits / 8);
            const size_t frames = values / channels;
            if (frames == 0) return nullptr;
            SAMPLE* s = create_sample(bits, channels == 2, rate, frames);
            if (!s) return nullptr;
            const size_t bytes = frames * channels * (bits / 8);
            if (std::fread(s->data, 1, bytes, f) != bytes) {  // cut short
                destroy_sample(s);
                return nullptr;
            }
            // Little-endian like the file on the machines the game is built
            // for; Allegro keeps 16-bit samples unsigned.
            if (bits == 16) {
                uint16_t* v = static_cast<uint16_t*>(s->data);
                for (size_t k = 0; k < frames * channels; ++k) v[k] ^= 0x8000;
            }
            return s;
        }
        if (std::fseek(f, length + (length & 1), SEEK_CUR) != 0) return nullptr;
    }
    return nullptr;
}
