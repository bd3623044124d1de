#!/usr/bin/env bash
# Times whole starts of the program, from exec until its window has painted with the document
# loaded, beside a bare QScintilla window (the yardstick) and, when installed, FeatherPad and
# Kate (until their window has shown and gone idle). Rounds are interleaved; medians, ratios to
# the yardstick and peak memory are printed.
# Usage: scripts/whole-process-bench.sh [BUILD_DIR] [ROUNDS]   (BUILD_DIR: build-test)
# OSTREL_BENCH_CASES="start 1mb-utf8" runs only those cases.
# Needs a display (DISPLAY, e.g. Xvfb with a window manager) and /usr/bin/time.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
rounds=${2:-5}
program=$build/ostrel
yardstick=$build/ostrel_yardstick
[ -x "$program" ] && [ -x "$yardstick" ] || { echo "build $build with OSTREL_BUILD_BENCH=ON first"; exit 2; }
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: start Xvfb and a window manager"; exit 2; }
docs=${TMPDIR:-/tmp}/ostrel-whole-process
"$yardstick" --make "$docs"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

# Milliseconds and peak memory (MB) of one run, on one line. The time runs until the window has
# painted, which both programs tell by the wall clock ("painted at N us"); ending the process is
# no part of starting it. Without that line, until the process has ended.
run_once() {
  local out start end painted
  out=$(mktemp)
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$out" "$@" >/dev/null 2>"$out.err" || true
  end=$(date +%s%N)
  painted=$(sed -n 's/^painted at \([0-9]*\) us$/\1/p' "$out.err" | tail -1)
  [ -n "$painted" ] && end=$((painted * 1000))
  echo "$(( (end - start) / 1000000 )) $(( $(tail -1 "$out") / 1024 ))"
  rm -f "$out" "$out.err"
}

# CPU clock ticks a process has used so far; fails once it is gone.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }

# A peer runs until its window shows and it has gone idle: its CPU time has not moved for 300 ms.
# The time is taken where it last moved, to the clock tick (10 ms), so a peer that shows an empty
# window first and fills it afterwards is timed to the filled window, as ours is. Its peak memory
# is read before it is closed.
run_peer() {
  local start end pid last ticks now mem
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  # xdotool's own --sync looks only twice a second; this looks every 5 ms, for at most 30 s.
  for ((i = 0; i < 6000; i++)); do
    xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && break
    sleep 0.005
  done
  end=$(date +%s%N)
  last=$(cpu_ticks "$pid") || last=0
  while ticks=$(cpu_ticks "$pid"); do
    now=$(date +%s%N)
    if [ "$ticks" != "$last" ]; then
      last=$ticks
      end=$now
    elif ((now - end > 300000000 || now - start > 60000000000)); then
      break
    fi
    sleep 0.01
  done
  mem=$(awk '/^VmHWM/ {print int($2 / 1024)}' "/proc/$pid/status" 2>/dev/null) || true
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) ${mem:--}"
}

# A killed peer goes on freeing its memory, and the X server on dropping its windows, for a while
# after it is gone: whoever ran next paid for that. Each run starts on a machine at rest.
settle() { sleep 0.3; }

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)}'; }

peers=()
command -v featherpad >/dev/null && peers+=(featherpad)
command -v kate >/dev/null && peers+=(kate)

printf '%-16s %10s %10s %8s %10s %10s' case ours_ms bare_ms ratio ours_MB bare_MB
for peer in "${peers[@]}"; do printf ' %10s %10s' "${peer}_ms" "${peer}_MB"; done
echo
for case in ${OSTREL_BENCH_CASES:-start 1mb-utf8 20mb-utf8 20mb-1251 100mb-utf8 100mb-1251}; do
  file=()
  [ "$case" = start ] || file=("$docs/$case.txt")
  declare -a ours=() bare=() oursMem=() bareMem=()
  declare -A peerTimes=() peerMem=()
  for ((r = 0; r < rounds; r++)); do
    read -r t m < <(OSTREL_HOME=$home OSTREL_QUIT_AFTER_LOAD=1 run_once "$program" "${file[@]}")
    ours+=("$t"); oursMem+=("$m")
    settle
    read -r t m < <(run_once "$yardstick" "${file[@]}")
    bare+=("$t"); bareMem+=("$m")
    settle
    for peer in "${peers[@]}"; do
      read -r t m < <(run_peer "$peer" "${file[@]}")
      peerTimes[$peer]+="$t "
      peerMem[$peer]+="$m "
      settle
    done
  done
  o=$(printf '%s\n' "${ours[@]}" | median)
  b=$(printf '%s\n' "${bare[@]}" | median)
  om=$(printf '%s\n' "${oursMem[@]}" | median)
  bm=$(printf '%s\n' "${bareMem[@]}" | median)
  printf '%-16s %10s %10s %8s %10s %10s' "$case" "$o" "$b" "$(awk -v o="$o" -v b="$b" 'BEGIN {printf "%.2f", (b > 0 ? o / b : 0)}')" "$om" "$bm"
  for peer in "${peers[@]}"; do
    printf ' %10s %10s' "$(tr ' ' '\n' <<<"${peerTimes[$peer]}" | grep . | median)" \
      "$(tr ' ' '\n' <<<"${peerMem[$peer]}" | grep '^[0-9]' | median)"
  done
  echo
  unset ours bare oursMem bareMem peerTimes peerMem
done
# Where the program's own time goes, from its last run of the largest file.
OSTREL_HOME=$home OSTREL_QUIT_AFTER_LOAD=1 "$program" "$docs/100mb-1251.txt" 2>&1 >/dev/null | grep 'start-up' || true
