#!/usr/bin/env python3
"""Writes every Lumo sound: the effects and the two music loops.

Usage: lumo_sound.py [OUT_DIR]   (default: Data/Sounds beside this folder)

Everything is synthesised here from sine partials, enveloped tones, pitch
glides and a fixed-seed noise generator; nothing is sampled or downloaded.
Files are 22050 Hz, 16-bit, mono WAV, written with the wave module, so the
same script always gives the same bytes.

Levels: the game's mixer plays every sound at full scale, so these are the
levels heard. Every effect is scaled so that its loudest 50 ms has the same
RMS level (EFFECT_LEVEL), the countdown tick, a reminder, to a much lower one
(TICK_LEVEL); each music loop is scaled by its RMS over the whole loop
(MUSIC_LEVEL), 8 to 10 dB under the effects. The peaks are held down by a
limiter: an effect's (EFFECT_PEAK) and the music's (MUSIC_PEAK) together stay
under -1 dBFS: an effect over the music never passes it.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
EFFECT_LEVEL = -13.0  # dBFS RMS of the loudest 50 ms
TICK_LEVEL = -25.5
MUSIC_LEVEL = -23.0   # dBFS RMS of the whole loop
EFFECT_PEAK = -5.5    # dBFS; 0.53 + 0.35 of full scale is -1.05 dBFS
MUSIC_PEAK = -9.0
WINDOW = RATE // 20   # 50 ms


# ---------------------------------------------------------------- building blocks

def note_hz(name):
    """'A4' -> 440.0; sharps as 'C#5'."""
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = names[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        semis += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semis -= 1
        rest = rest[1:]
    return 440.0 * 2 ** ((semis + 12 * (int(rest) - 4)) / 12)


def tone(f0, dur, f1=None, partials=(1.0,), attack=0.005, decay=None, hold=0.0, release=0.0):
    """A tone gliding exponentially from f0 to f1 (Hz), built from harmonic
    partials (weights of harmonics 1, 2, 3, ...), with a linear attack and an
    exponential decay (seconds to fall by 60 dB; None holds the level) that
    settles at `hold` (0 lets the note die away). After `dur` the note rings
    on for `release` seconds, fading out; with no release, a short fade at
    the end so nothing clicks."""
    f1 = f0 if f1 is None else f1
    n = int(dur * RATE)
    ring = int(release * RATE)
    out = [0.0] * (n + ring)
    phase = 0.0
    fade = min(n, int(0.004 * RATE))
    for i in range(n + ring):
        t = i / RATE
        f = f0 * (f1 / f0) ** (min(i, n - 1) / max(1, n - 1))
        phase += 2 * math.pi * f / RATE
        v = 0.0
        for h, w in enumerate(partials, 1):
            if w and f * h < RATE / 2:
                v += w * math.sin(h * phase)
        env = min(1.0, t / attack) if attack > 0 else 1.0
        if decay:
            env *= hold + (1 - hold) * 10 ** (-3 * t / decay)
        if ring:
            env *= 1.0 if i < n else (1 - (i - n) / ring) ** 2
        elif i >= n - fade:
            env *= (n - i) / fade
        out[i] = v * env
    return out


class Noise:
    """A fixed-seed linear congruential generator: the same noise every run."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (1103515245 * self.state + 12345) & 0x7FFFFFFF
        return self.state / 0x3FFFFFFF - 1.0


def noise(dur, seed, decay, lowpass=1.0, highpass=0.0):
    """Noise with an exponential decay, through one-pole filters (coefficients
    0..1: lowpass 1 passes everything, highpass 0 removes nothing)."""
    gen = Noise(seed)
    n = int(dur * RATE)
    out = [0.0] * n
    low = 0.0
    prev_low = 0.0
    high = 0.0
    for i in range(n):
        x = gen.next()
        low += lowpass * (x - low)
        high = (1 - highpass) * (high + low - prev_low)
        prev_low = low
        out[i] = high * 10 ** (-3 * (i / RATE) / decay)
    return out


def mix(*parts):
    """Sums (start_seconds, samples, gain) parts into one buffer."""
    length = max(int(start * RATE) + len(s) for start, s, _ in parts)
    out = [0.0] * length
    for start, s, gain in parts:
        o = int(start * RATE)
        for i, v in enumerate(s):
            out[o + i] += gain * v
    return out


def loudest_window_rms(s):
    best = 0.0
    for start in range(0, max(1, len(s) - WINDOW + 1), WINDOW // 4):
        w = s[start:start + WINDOW]
        best = max(best, math.sqrt(sum(v * v for v in w) / len(w)))
    return best


def rms(s):
    return math.sqrt(sum(v * v for v in s) / len(s))


def limit(s, peak_db, looped=False, attack=0.003, release=0.08):
    """Turns the gain down around every peak that would pass peak_db, gliding
    down over `attack` seconds before it and back up over `release` after, so
    the wave itself is never bent. A loop is treated as endless, so the gain
    is the same on both sides of its seam."""
    n = len(s)
    need = [min(1.0, 10 ** (peak_db / 20) / abs(v)) if v else 1.0 for v in s]
    rounds = 2 if looped else 1
    for coeff, order in ((1 - math.exp(-1 / (release * RATE)), range(rounds * n)),
                         (1 - math.exp(-1 / (attack * RATE)), range(rounds * n - 1, -1, -1))):
        g = 1.0
        for k in order:
            i = k % n
            g = min(need[i], g + (1 - g) * coeff)
            need[i] = g
    return [v * g for v, g in zip(s, need)]


def normalise(s, level_db, peak_db, measure=loudest_window_rms, looped=False):
    """Scales to the given RMS level (of the loudest 50 ms, or as `measure`
    has it) with the peaks limited to peak_db; the gain is found in a few
    rounds, as limiting takes a little of the level."""
    gain = 10 ** (level_db / 20) / measure(s)
    for _ in range(5):
        out = limit([v * gain for v in s], peak_db, looped)
        gain *= 10 ** (level_db / 20) / measure(out)
    return out


def write_wav(path, s):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(v * 32767)))) for v in s)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


# ---------------------------------------------------------------- effects

BRIGHT = (1.0, 0.45, 0.25, 0.12, 0.06)   # a soft square-ish bell
WARM = (1.0, 0.5, 0.2)
REED = (1.0, 0.7, 0.5, 0.35, 0.25, 0.15)  # buzzy, for the grumpy ones


def arpeggio(notes, step, length, partials, decay, gain=1.0):
    return mix(*[(k * step, tone(note_hz(n), length, partials=partials, decay=decay), gain)
                 for k, n in enumerate(notes)])


def item():  # a bright two-note "bling", up a fifth
    return arpeggio(["E6", "B6"], 0.06, 0.22, BRIGHT, 0.25)


def stolen():  # a sly slide down
    return mix((0, tone(note_hz("A5"), 0.32, note_hz("A4"), WARM, decay=0.9), 1.0),
               (0.03, tone(note_hz("E5"), 0.3, note_hz("E4"), WARM, decay=0.9), 0.5))


def enters_coco():  # a springy boing, wobbling upward
    n = int(0.38 * RATE)
    base = tone(note_hz("C5"), 0.38, note_hz("C6"), (1.0, 0.3), decay=0.8)
    return [v * (0.75 + 0.25 * math.sin(2 * math.pi * 18 * i / RATE)) for i, v in enumerate(base[:n])]


def enters_esposa():  # a stern two-note "hmph", low and buzzy
    return mix((0, tone(note_hz("D4"), 0.16, partials=REED, decay=0.6), 1.0),
               (0.17, tone(note_hz("A3"), 0.24, partials=REED, decay=0.5), 1.0))


def enters_ladrao():  # tiptoe plucks creeping down
    return arpeggio(["G5", "F#5", "F5", "E5"], 0.09, 0.1, WARM, 0.12)


def enters_gangster():  # a low brass stab on a minor third
    return mix((0, tone(note_hz("E3"), 0.45, partials=REED, attack=0.02, decay=0.7), 1.0),
               (0, tone(note_hz("G3"), 0.45, partials=REED, attack=0.02, decay=0.7), 0.8))


def hit(pitch, seed):  # a bonk: a falling tone over a burst of noise
    f = note_hz(pitch)
    return mix((0, tone(f, 0.22, f / 2, (1.0, 0.4, 0.2), decay=0.35), 1.0),
               (0, noise(0.08, seed, 0.06, lowpass=0.35), 0.6))


def wall():  # a short wooden thud
    return mix((0, tone(180.0, 0.12, 90.0, (1.0, 0.3), decay=0.1), 1.0),
               (0, noise(0.03, 7, 0.02, lowpass=0.5), 0.4))


def speed_up():  # a quick rising whoosh with a sparkle on top
    return mix((0, tone(note_hz("C5"), 0.3, note_hz("C7"), (1.0, 0.3), decay=1.2), 1.0),
               (0.2, tone(note_hz("C7"), 0.12, partials=(1.0,), decay=0.15), 0.5))


def tick():  # a woodblock
    return mix((0, tone(1400.0, 0.05, 1200.0, (1.0, 0.2), attack=0.001, decay=0.04), 1.0),
               (0, noise(0.01, 11, 0.008, lowpass=0.9, highpass=0.5), 0.3))


def game_over():  # a friendly "wah wah wah waaah" going down
    parts = []
    for k, (n, d) in enumerate([("G4", 0.2), ("F#4", 0.2), ("F4", 0.2), ("E4", 0.7)]):
        t = tone(note_hz(n), d, note_hz(n) * (0.97 if k == 3 else 1.0), WARM, attack=0.02, decay=d * 3)
        parts.append((0.22 * k, t, 1.0))
    return mix(*parts)


def ranking():  # a short fanfare up to the top
    return mix(*[(0.1 * k, tone(note_hz(n), 0.5 if k == 3 else 0.14, partials=BRIGHT, decay=0.8), 1.0)
                 for k, n in enumerate(["C5", "E5", "G5", "C6"])],
               (0.3, tone(note_hz("E6"), 0.5, partials=BRIGHT, decay=0.8), 0.5))


def click():  # a tiny pop
    return tone(note_hz("A5"), 0.045, note_hz("E5"), (1.0, 0.3), attack=0.001, decay=0.05)


def page():  # a paper swish: noise brightening then fading
    n = int(0.16 * RATE)
    swish = noise(0.16, 23, 0.5, lowpass=0.6, highpass=0.6)
    return [v * math.sin(math.pi * i / n) for i, v in enumerate(swish)]


EFFECTS = {
    "item": item,
    "stolen": stolen,
    "enters_coco": enters_coco,
    "enters_esposa": enters_esposa,
    "enters_ladrao": enters_ladrao,
    "enters_gangster": enters_gangster,
    "hit_coco": lambda: hit("A5", 3),
    "hit_esposa": lambda: hit("E5", 5),
    "hit_ladrao": lambda: hit("C5", 9),
    "hit_gangster": lambda: hit("F4", 13),
    "wall": wall,
    "speed_up": speed_up,
    "tick": tick,
    "game_over": game_over,
    "ranking": ranking,
    "click": click,
    "page": page,
}


# ---------------------------------------------------------------- music

def loop(bpm, beats, events):
    """Renders (beat, samples, gain) events into a loop of exactly `beats`
    beats; whatever rings past the end wraps round to the start, so the loop
    plays on without a gap or a click."""
    n = round(beats * 60 / bpm * RATE)
    out = [0.0] * n
    for beat, s, gain in events:
        o = round(beat * 60 / bpm * RATE)
        for i, v in enumerate(s):
            out[(o + i) % n] += gain * v
    return out


def melody(bpm, line, partials, decay, gain, hold=0.0, release=0.0, octave_shift=0):
    """'C5:1 E5:0.5 -:0.5 ...' -> events; '-' is a rest, lengths in beats.
    Each note rings on for `release` seconds after its length."""
    events = []
    beat = 0.0
    for item_ in line.split():
        name, length = item_.split(":")
        length = float(length)
        if name != "-":
            f = note_hz(name) * 2 ** octave_shift
            events.append((beat, tone(f, length * 60 / bpm * 0.95, partials=partials,
                                      attack=0.01, decay=decay, hold=hold, release=release), gain))
        beat += length
    return events


def drums(bpm, bars, pattern, seed):
    """One bar of 'k' (kick), 'h' (hat) and '.' per eighth, repeated."""
    events = []
    for bar in range(bars):
        for k, c in enumerate(pattern):
            beat = bar * 4 + k * 0.5
            if c == "k":
                events.append((beat, tone(110.0, 0.18, 45.0, (1.0,), attack=0.002, decay=0.2), 0.9))
            elif c == "h":
                events.append((beat, noise(0.05, seed + bar * 8 + k, 0.04, lowpass=0.9, highpass=0.7), 0.25))
    return events


def menu_theme():  # easy-going, C major, 8 bars at 116 bpm
    bpm = 116
    lead = ("E5:1 G5:1 C6:1 G5:1  A5:1 C6:1 E5:2  F5:1 A5:1 C6:1 A5:1  G5:2 D5:2 "
            "E5:1 G5:1 C6:1 E6:1  D6:1 C6:1 A5:2  F5:1 E5:1 D5:1 F5:1  E5:3 -:1")
    bass = ("C3:2 G3:2  A2:2 E3:2  F2:2 C3:2  G2:2 D3:2 "
            "C3:2 G3:2  A2:2 E3:2  F2:2 G2:2  C3:4")
    chords = []
    for bar, root in enumerate(["C4", "A3", "F3", "G3", "C4", "A3", "F3", "C4"]):
        r = note_hz(root)
        minor = root == "A3"
        for k, ratio in enumerate([1, 2 ** ((3 if minor else 4) / 12), 2 ** (7 / 12)]):
            chord_note = tone(r * ratio, 3.2 * 60 / bpm, partials=(1.0, 0.2), attack=0.08, decay=3.0,
                              hold=0.45, release=0.4)
            chords.append((bar * 4 + 0.5 + k * 0.02, chord_note, 0.22))
    # The chords and the bass are held and ring on, so the last bar sounds
    # up to the loop point and its tail wraps round into the first.
    events = (melody(bpm, lead, BRIGHT, 1.2, 0.55, release=0.15)
              + melody(bpm, bass, (1.0, 0.35, 0.1), 2.0, 0.7, hold=0.3, release=0.25)
              + chords + drums(bpm, 8, "k.h.k.h.", 100))
    return loop(bpm, 32, events)


def play_theme():  # bouncy, F major, 8 bars at 150 bpm
    bpm = 150
    lead = ("F5:0.5 A5:0.5 C6:0.5 A5:0.5 F5:0.5 -:0.5 C5:1  D5:0.5 F5:0.5 A5:0.5 F5:0.5 D5:1 -:1 "
            "Bb4:0.5 D5:0.5 F5:0.5 D5:0.5 Bb5:1 A5:1  G5:0.5 A5:0.5 G5:0.5 E5:0.5 C5:1 -:1 "
            "F5:0.5 A5:0.5 C6:0.5 A5:0.5 F6:1 E6:1  D6:0.5 C6:0.5 A5:0.5 F5:0.5 D5:1 -:1 "
            "Bb4:0.5 D5:0.5 F5:0.5 Bb5:0.5 A5:0.5 G5:0.5 F5:1  E5:0.5 G5:0.5 C6:0.5 E5:0.5 F5:1 -:1")
    bass_bar = {"F2": "F2:0.5 F3:0.5 C3:0.5 F3:0.5 F2:0.5 F3:0.5 C3:0.5 F3:0.5",
                "D2": "D2:0.5 D3:0.5 A2:0.5 D3:0.5 D2:0.5 D3:0.5 A2:0.5 D3:0.5",
                "Bb1": "Bb1:0.5 Bb2:0.5 F2:0.5 Bb2:0.5 Bb1:0.5 Bb2:0.5 F2:0.5 Bb2:0.5",
                "C2": "C2:0.5 C3:0.5 G2:0.5 C3:0.5 C2:0.5 C3:0.5 G2:0.5 E2:0.5"}
    bass = " ".join(bass_bar[r] for r in ["F2", "D2", "Bb1", "C2"] * 2)
    # A little sustain keeps the notes sounding their length, and the
    # peaks, which come from the plucks' attacks, nearer the average.
    events = (melody(bpm, lead, BRIGHT, 0.5, 0.5, hold=0.15, release=0.05)
              + melody(bpm, bass, (1.0, 0.5, 0.2), 0.4, 0.6, hold=0.25, release=0.05)
              + drums(bpm, 8, "khkhkhkh", 300))
    return loop(bpm, 32, events)


MUSIC = {"menu_theme": menu_theme, "play_theme": play_theme}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "Data", "Sounds")
    os.makedirs(out, exist_ok=True)
    for name, make in EFFECTS.items():
        level = TICK_LEVEL if name == "tick" else EFFECT_LEVEL
        write_wav(os.path.join(out, name + ".wav"), normalise(make(), level, EFFECT_PEAK))
    for name, make in MUSIC.items():
        music = normalise(make(), MUSIC_LEVEL, MUSIC_PEAK, rms, looped=True)
        write_wav(os.path.join(out, name + ".wav"), music)
    print(f"lumo_sound.py: {len(EFFECTS) + len(MUSIC)} sounds written to {os.path.normpath(out)}")


if __name__ == "__main__":
    main()
