// Reading the sound files. A missing or damaged file gives no sound, never a
// stop: each is named in one line on stderr and its sound stays silent.
#pragma once

#include <allegro.h>

#include <cstdio>
#include <string>

// An effect, through Allegro's own WAV reader.
SAMPLE* loadEffectFile(const std::string& path);

// A music loop: a PCM WAV read in whole blocks. Allegro's reader takes a
// sample at a time, some 20 ms for the two loops, too slow for start-up.
SAMPLE* loadLoopFile(const std::string& path);

// The loop in an open WAV file, or in the bytes of one; null when it is not
// a whole 8- or 16-bit PCM mono or stereo WAV.
SAMPLE* loopFromFile(std::FILE* f);
SAMPLE* loopFromWav(const std::string& bytes);
