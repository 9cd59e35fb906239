#!/usr/bin/env bash
# Whole-program figures of the Release build (build-bench/) under a private
# Xvfb (1600x1200, or XVFB_SCREEN): start-up to the first menu frame (also as a ratio to a
# bare Allegro window, STARTS starts each, default 11), processor time over
# 10 s in the menu, 10 s with the help panel open, 10 s of play and 10 s paused, peak resident
# memory, and the length of a frame (30 ms of wait plus its work) measured
# from the main thread's waits. FACTOR=2 runs the game with --scale 2 (the
# screen grows to 3840x2160 for FACTOR=4 and more, so the window fits).
# Runs RUNS times (default 5), each with sound, muted and with no sound
# device (SOUND_MODES), and prints every run and the medians: the
# machine may be shared, so single runs are noisy. Each run also measures the
# floor, the bare Allegro window idle for as long as the menu (the "floor"
# rows). GAMES="new=build-bench/lumo old=/tmp/old/lumo" measures several
# builds of the game in turn within the same runs, to compare a change with
# what it changed under the same load. Last, the cost of sending eight
# changed rectangles to the window (bench/window_send.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
RUNS=${RUNS:-5}
SECONDS_EACH=${SECONDS_EACH:-10}
LEVEL=${LEVEL:-2}  # the level played: 2 has the fewest walls to run into
FACTOR=${FACTOR:-1}  # the window's magnification (--scale)
if ((FACTOR >= 4)); then export XVFB_SCREEN=${XVFB_SCREEN:-3840x2160x24}; else export XVFB_SCREEN=${XVFB_SCREEN:-1600x1200x24}; fi
GAMES=${GAMES:-game=$root/build-bench/lumo}

scripts/packages.sh xvfb xdotool strace
scripts/bench.sh --build-only >/dev/null

# The window tests' helpers: a private Xvfb, a scratch folder holding a copy
# of the shipped data (a game that ends writes its rank.txt there), clean-up.
export LUMO_BIN="$root/build-bench/lumo" LUMO_SOURCE_DIR="$root"
source tests/e2e/lib.sh
start_x
use_game_data

# Each run is made with each sound set-up in turn, so every figure sits
# beside its baselines from the same run: sound (ALSA's default device is a
# file device writing to /dev/null, the only device a machine without sound
# has), muted (the same with mute = 1 in lumo.cfg), none (no sound device).
SOUND_MODES=${SOUND_MODES:-sound muted none}
mkdir -p "$WORK/home-sound" "$WORK/home-none"
echo 'pcm.!default { type file; slave.pcm "null"; file "/dev/null"; format "raw" }' >"$WORK/home-sound/.asoundrc"
echo 'pcm.!default { type hw; card 31 }' >"$WORK/home-none/.asoundrc"
sound_setup() {
    rm -f "$WORK/lumo.cfg"
    [[ $1 == muted ]] && printf '[sound]\nmute = 1\n' >"$WORK/lumo.cfg"
    if [[ $1 == none ]]; then export HOME="$WORK/home-none"; else export HOME="$WORK/home-sound"; fi
}

HZ=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "$1"; }  # utime + stime of a process or thread

# Percent of one core the game used over $SECONDS_EACH seconds: the whole process
# and its main thread (the others are Allegro's timer and X threads).
usage() {
    local a am b bm
    a=$(ticks "/proc/$GAME_PID/stat")
    am=$(ticks "/proc/$GAME_PID/task/$GAME_PID/stat")
    sleep "$SECONDS_EACH"
    b=$(ticks "/proc/$GAME_PID/stat")
    bm=$(ticks "/proc/$GAME_PID/task/$GAME_PID/stat")
    awk -v t=$((b - a)) -v m=$((bm - am)) -v hz="$HZ" -v s="$SECONDS_EACH" \
        'BEGIN {printf "%.1f %.1f\n", 100 * t / hz / s, 100 * m / hz / s}'
}

median() { sort -n | awk '{v[NR] = $1} END {print NR == 0 ? "-" : NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Median frame length and median work (frame less the time spent waiting) in
# ms, from 4 s of the main thread's waits (Allegro's rest is a pselect6).
frame_times() {
    timeout -s INT 4 strace -p "$GAME_PID" -ttt -T -e trace=pselect6 -o "$WORK/.strace" 2>/dev/null || true
    awk '/pselect6\(0, NULL, NULL, NULL/ && /<[0-9.]+>$/ {
             t = $1; d = $NF; gsub(/[<>]/, "", d)
             if (n++) { print 1000 * (t - t0), 1000 * (t - t0 - d0) }
             t0 = t; d0 = d }' "$WORK/.strace" >"$WORK/.frame_times"
    printf "%.2f %.2f\n" "$(cut -d' ' -f1 "$WORK/.frame_times" | median)" "$(cut -d' ' -f2 "$WORK/.frame_times" | median)"
}

click() {
    xdotool mousemove --window "$1" $(($2 * FACTOR)) $(($3 * FACTOR))
    sleep 0.05
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

printf "%-16s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %8s %s\n" run start_ms menu_cpu% menu_main% menu_fr_ms menu_wk_ms \
    panel_cpu% panel_main% play_cpu% play_main% play_fr_ms play_wk_ms pause_cpu% pause_main% peak_MB note >"$WORK/.table"
# The order of the set-ups turns round from run to run: the first start
# after a pause is often the slowest.
# Each label is run-mode@game; "floor" is the bare window.
runs() {
    local k modes=($SOUND_MODES) n i g
    n=${#modes[@]}
    for k in $(seq "$RUNS"); do
        for i in $(seq 0 $((n - 1))); do
            for g in floor $GAMES; do echo "$k-${modes[(i + k - 1) % n]}@${g%%=*}"; done
        done
    done
}
game_path() {
    local g
    for g in $GAMES; do [[ ${g%%=*} == "$1" ]] && echo "${g#*=}"; done
}
for r in $(runs); do
    mode=${r#*-}
    sound_setup "${mode%@*}"
    rm -f "$WORK/rank.txt"
    if [[ ${r#*@} == floor ]]; then
        # The bare window idle, as long as the game idles in its menu.
        read -r GAME_PID start_ms < <(cd "$WORK" && "$root/build-bench/bench/menu_probe" "$root/build-bench/bench/bare_window")
        sleep 1
        read -r menu_cpu menu_main < <(usage)
        kill "$GAME_PID"
        wait "$GAME_PID" 2>/dev/null || true
        GAME_PID=""
        printf "%-16s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %8s %s\n" "$r" "$start_ms" "$menu_cpu" "$menu_main" - - - - - - - - - - - \
            "" >>"$WORK/.table"
        continue
    fi
    read -r GAME_PID start_ms < <(cd "$WORK" && "$root/build-bench/bench/menu_probe" "$(game_path "${r#*@}")" --scale "$FACTOR")
    sleep 1
    read -r menu_cpu menu_main < <(usage)
    read -r menu_fr menu_wk < <(frame_times)

    window=$(xdotool search --name '^[Ll]umo$' | head -1)
    # The keyboard's focus given in the menu: given during play, the focus
    # leaving the pointer's window first would pause the game.
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    # A panel open and left alone: the help's first page.
    click "$window" 115 370
    sleep 0.5
    read -r panel_cpu panel_main < <(usage)
    click "$window" 115 370
    sleep 0.3
    click "$window" 100 170  # new game
    sleep 0.3
    click "$window" 325 $((50 * LEVEL - 25))  # the level's button
    sleep 0.5
    # Turning all the time keeps the player on a small circle, away from the
    # walls, so the game lasts the whole measurement.
    xdotool keydown Right
    read -r play_cpu play_main < <(usage)
    read -r play_fr play_wk < <(frame_times)
    xdotool keyup Right
    # Paused with P: the frames go on, nothing else.
    xdotool keydown p
    sleep 0.2
    xdotool keyup p
    sleep 0.5
    read -r pause_cpu pause_main < <(usage)
    peak=$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$GAME_PID/status")
    note=""
    [[ -e "$WORK/rank.txt" ]] && note="game ended during the play measurement"
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
    printf "%-16s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %8s %s\n" "$r" "$start_ms" "$menu_cpu" "$menu_main" "$menu_fr" \
        "$menu_wk" "$panel_cpu" "$panel_main" "$play_cpu" "$play_main" "$play_fr" "$play_wk" "$pause_cpu" "$pause_main" "$peak" "$note" >>"$WORK/.table"
    sleep 0.5
done

cat "$WORK/.table"
for m in $SOUND_MODES; do
    for g in floor $GAMES; do
        printf "%-16s" "$m@${g%%=*}"
        for c in $(seq 2 15); do
            printf " %9s" "$(awk -v c="$c" -v m="-$m@${g%%=*}" 'NR > 1 && $16 == "" && $c != "-" &&
                substr($1, length($1) - length(m) + 1) == m {print $c}' "$WORK/.table" | median)"
        done
        echo
    done
done
echo "(medians over the runs without a note; level $LEVEL; factor $FACTOR; $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg))"

# Start-up as a ratio to a bare Allegro program that opens the same window
# and fills one rectangle (bench/bare_window.cpp): STARTS starts of each,
# taken in turn so both see the same load on the machine; the game at
# --scale 1, the bare window's size.
STARTS=${STARTS:-11}
sound_setup sound
first_frame_ms() {
    local ms
    read -r GAME_PID ms < <(cd "$WORK" && "$root/build-bench/bench/menu_probe" "$@")
    kill "$GAME_PID" 2>/dev/null || true
    # Gone (or a zombie) before the next start, within 5 s.
    for _ in $(seq 250); do
        [[ "$(awk '{print $3}' "/proc/$GAME_PID/stat" 2>/dev/null)" =~ ^[^Z]$ ]] || break
        sleep 0.02
    done
    GAME_PID=""
    echo "$ms"
}
for _ in $(seq "$STARTS"); do
    for g in $GAMES; do
        game=$(first_frame_ms "${g#*=}" --scale 1)
        bare=$(first_frame_ms "$root/build-bench/bench/bare_window")
        awk -v t="${g%%=*}" -v g="$game" -v b="$bare" 'BEGIN {if (g > 0 && b > 0) printf "%s %s %s %.2f\n", t, g, b, g / b}'
    done
done >"$WORK/.ratio"
echo
echo "start-up beside the bare Allegro window, medians of $STARTS starts of each:"
printf "%-8s %10s %10s %8s\n" "" game_ms bare_ms ratio
for g in $GAMES; do
    printf "%-8s " "${g%%=*}"
    for c in 2 3 4; do printf "%10s " "$(awk -v t="${g%%=*}" -v c="$c" '$1 == t {print $c}' "$WORK/.ratio" | median)"; done
    echo
done
echo "(ratio: median of the per-pair ratios; load average $(cut -d' ' -f1-3 /proc/loadavg))"

# Where start-up goes: more starts under strace, which records only the calls
# named (through seccomp, so the others run at full speed). Phases in ms: exec
# to the X connection (libraries, allegro_init), to the first picture opened
# (the window), to the last one opened (the pictures), to the last sound or
# ALSA file opened (the sound), to the first frame wait (the first menu frame).
traced_start() {
    local trace="$WORK/.start_ms" strace_pid
    rm -f "$trace"
    (cd "$WORK" && exec strace -f --seccomp-bpf -ttt -e trace=execve,connect,openat,pselect6 -o "$trace" \
        "$(game_path "$1")" --scale "$FACTOR") >/dev/null 2>&1 &
    strace_pid=$!
    for _ in $(seq 200); do
        grep -qE "tv_nsec=(29|30)000000" "$trace" 2>/dev/null && break
        sleep 0.05
    done
    GAME_PID=$(pgrep -P "$strace_pid" -x lumo || true)
    [[ -n "$GAME_PID" ]] && kill "$GAME_PID"
    wait "$strace_pid" 2>/dev/null || true
    GAME_PID=""
    awk '!t0 && /execve/ {t0 = $2}
         !x && /connect\(.*X11-unix/ {x = $2}
         !a && /openat\(.*"Data\// {a = $2}
         /openat\(.*"Data\// && !/Data\/Sounds/ {z = $2}
         !q && /openat\(.*(alsa|asound|\/dev\/snd|Data\/Sounds)/ {s = $2}
         !q && /pselect6\(0, NULL.*tv_nsec=(29|30)000000/ {q = $2}
         END {if (s < z) s = z
              printf "%.1f %.1f %.1f %.1f %.1f %.1f\n", 1000 * (x - t0), 1000 * (a - x), 1000 * (z - a), 1000 * (s - z),
                  1000 * (q - s), 1000 * (q - t0)}' "$trace"
}
echo
echo "start-up phases under strace, medians in ms (sound: from the last picture to the last sound file or"
echo "ALSA file opened, the sound driver's start and the sounds read before the first frame):"
printf "%-8s %12s %12s %12s %12s %12s %12s\n" "" to_X_conn window pictures sound first_frame total
for m in $SOUND_MODES; do
    sound_setup "$m"
    for g in $GAMES; do
        for r in $(seq "$RUNS"); do traced_start "${g%%=*}"; done >"$WORK/.phases"
        printf "%-8s " "$m@${g%%=*}"
        for c in 1 2 3 4 5 6; do printf "%12s " "$(cut -d' ' -f$c "$WORK/.phases" | median)"; done
        echo
    done
done

# The cost of sending to the window alone: eight changed 40x40 rectangles a
# frame, the presenter beside stretch_blit straight into the window.
echo
echo "sending eight changed 40x40 rectangles a frame to a window at factor $FACTOR:"
for _ in $(seq "$RUNS"); do "$root/build-bench/bench/window_send" "$FACTOR"; done
