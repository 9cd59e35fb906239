#!/usr/bin/env bash
# Whole-program figures of the Release build (build-bench/) under a private
# Xvfb: start-up to the first menu frame (also as a ratio to a bare Allegro
# window, STARTS starts each, default 11), processor time over 10 s in the
# menu and over 10 s of play, peak resident memory, and the length of a frame
# (30 ms of wait plus its work) measured from the main thread's waits.
# Runs RODADAS times (default 5) and prints every run and the medians: the
# machine may be shared, so single runs are noisy.
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD
RODADAS=${RODADAS:-5}
SEGUNDOS=${SEGUNDOS:-10}
NIVEL=${NIVEL:-2}  # the level played: 2 has the fewest walls to run into

scripts/packages.sh xvfb xdotool strace
scripts/bench.sh --build-only >/dev/null

# The window tests' helpers: a private Xvfb, a scratch folder holding a copy
# of the shipped data (a game that ends writes its rank.txt there), clean-up.
export LUMO_BIN="$raiz/build-bench/lumo" LUMO_SOURCE_DIR="$raiz"
source tests/e2e/lib.sh
start_x
use_game_data

HZ=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "$1"; }  # utime + stime of a process or thread

# Percent of one core the game used over $SEGUNDOS seconds: the whole process
# and its main thread (the others are Allegro's timer and X threads).
uso() {
    local a am b bm
    a=$(ticks "/proc/$GAME_PID/stat")
    am=$(ticks "/proc/$GAME_PID/task/$GAME_PID/stat")
    sleep "$SEGUNDOS"
    b=$(ticks "/proc/$GAME_PID/stat")
    bm=$(ticks "/proc/$GAME_PID/task/$GAME_PID/stat")
    awk -v t=$((b - a)) -v m=$((bm - am)) -v hz="$HZ" -v s="$SEGUNDOS" \
        'BEGIN {printf "%.1f %.1f\n", 100 * t / hz / s, 100 * m / hz / s}'
}

mediana() { sort -n | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Median frame length and median work (frame less the time spent waiting) in
# ms, from 4 s of the main thread's waits (Allegro's rest is a pselect6).
quadros() {
    timeout -s INT 4 strace -p "$GAME_PID" -ttt -T -e trace=pselect6 -o "$WORK/.strace" 2>/dev/null || true
    awk '/pselect6\(0, NULL, NULL, NULL/ && /<[0-9.]+>$/ {
             t = $1; d = $NF; gsub(/[<>]/, "", d)
             if (n++) { print 1000 * (t - t0), 1000 * (t - t0 - d0) }
             t0 = t; d0 = d }' "$WORK/.strace" >"$WORK/.quadros"
    printf "%.2f %.2f\n" "$(cut -d' ' -f1 "$WORK/.quadros" | mediana)" "$(cut -d' ' -f2 "$WORK/.quadros" | mediana)"
}

click() {
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.05
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

printf "%-5s %9s %9s %9s %9s %9s %9s %9s %9s %9s %8s %s\n" run start_ms menu_cpu% menu_main% menu_fr_ms menu_wk_ms \
    play_cpu% play_main% play_fr_ms play_wk_ms peak_MB note >"$WORK/.tabela"
for r in $(seq "$RODADAS"); do
    rm -f "$WORK/rank.txt"
    read -r GAME_PID inicio < <(cd "$WORK" && "$raiz/build-bench/bench/menu_probe" "$raiz/build-bench/lumo")
    sleep 1
    read -r menu_cpu menu_main < <(uso)
    read -r menu_fr menu_wk < <(quadros)

    window=$(xdotool search --name '^lumo$' | head -1)
    click "$window" 100 170  # new game
    sleep 0.3
    click "$window" 325 $((50 * NIVEL - 25))  # the level's button
    sleep 0.5
    # Turning all the time keeps the player on a small circle, away from the
    # walls, so the game lasts the whole measurement.
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool keydown Right
    read -r jogo_cpu jogo_main < <(uso)
    read -r jogo_fr jogo_wk < <(quadros)
    xdotool keyup Right
    pico=$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$GAME_PID/status")
    nota=""
    [[ -e "$WORK/rank.txt" ]] && nota="game ended during the play measurement"
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
    printf "%-5s %9s %9s %9s %9s %9s %9s %9s %9s %9s %8s %s\n" "$r" "$inicio" "$menu_cpu" "$menu_main" "$menu_fr" \
        "$menu_wk" "$jogo_cpu" "$jogo_main" "$jogo_fr" "$jogo_wk" "$pico" "$nota" >>"$WORK/.tabela"
    sleep 0.5
done

cat "$WORK/.tabela"
printf "%-5s" median
for c in $(seq 2 11); do
    printf " %9s" "$(awk -v c="$c" 'NR > 1 && $12 == "" {print $c}' "$WORK/.tabela" | mediana)"
done
echo
echo "(medians over the runs without a note; level $NIVEL; $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg))"

# Start-up as a ratio to a bare Allegro program that opens the same window
# and fills one rectangle (bench/bare_window.cpp): STARTS starts of each,
# taken in turn so both see the same load on the machine.
STARTS=${STARTS:-11}
first_frame_ms() {
    local ms
    read -r GAME_PID ms < <(cd "$WORK" && "$raiz/build-bench/bench/menu_probe" "$1")
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
    game=$(first_frame_ms "$raiz/build-bench/lumo")
    bare=$(first_frame_ms "$raiz/build-bench/bench/bare_window")
    awk -v g="$game" -v b="$bare" 'BEGIN {if (g > 0 && b > 0) printf "%s %s %.2f\n", g, b, g / b}'
done >"$WORK/.ratio"
echo
echo "start-up beside the bare Allegro window, medians of $(wc -l <"$WORK/.ratio") starts of each:"
printf "%10s %10s %8s\n" game_ms bare_ms ratio
for c in 1 2 3; do printf "%10s " "$(cut -d' ' -f$c "$WORK/.ratio" | mediana)"; done
echo
echo "(ratio: median of the per-pair ratios; load average $(cut -d' ' -f1-3 /proc/loadavg))"

# Where start-up goes: more starts under strace, which records only the calls
# named (through seccomp, so the others run at full speed). Phases in ms: exec
# to the X connection (libraries, allegro_init), to the first picture opened
# (the window), to the last one opened (the pictures), to the first frame
# wait (the last picture and the first menu frame).
inicio_rastreado() {
    local rastro="$WORK/.inicio" strace_pid
    rm -f "$rastro"
    (cd "$WORK" && exec strace -f --seccomp-bpf -ttt -e trace=execve,connect,openat,pselect6 -o "$rastro" \
        "$raiz/build-bench/lumo") >/dev/null 2>&1 &
    strace_pid=$!
    for _ in $(seq 200); do
        grep -qE "tv_nsec=(29|30)000000" "$rastro" 2>/dev/null && break
        sleep 0.05
    done
    GAME_PID=$(pgrep -P "$strace_pid" -x lumo || true)
    [[ -n "$GAME_PID" ]] && kill "$GAME_PID"
    wait "$strace_pid" 2>/dev/null || true
    GAME_PID=""
    awk '!t0 && /execve/ {t0 = $2}
         !x && /connect\(.*X11-unix/ {x = $2}
         !a && /openat\(.*"Data\// {a = $2}
         /openat\(.*"Data\// {z = $2}
         !q && /pselect6\(0, NULL.*tv_nsec=(29|30)000000/ {q = $2}
         END {printf "%.1f %.1f %.1f %.1f %.1f\n", 1000 * (x - t0), 1000 * (a - x), 1000 * (z - a), 1000 * (q - z), 1000 * (q - t0)}' "$rastro"
}
for r in $(seq "$RODADAS"); do inicio_rastreado; done >"$WORK/.fases"
echo
echo "start-up phases under strace, medians in ms:"
printf "%12s %12s %12s %12s %12s\n" to_X_conn window pictures first_frame total
for c in 1 2 3 4 5; do printf "%12s " "$(cut -d' ' -f$c "$WORK/.fases" | mediana)"; done
echo
