#!/usr/bin/env bash
# Fuzzes one target of fuzz/ for a number of seconds: scripts/fuzz.sh NAME SECONDS
# (NAME is a folder of fuzz/corpus: text_decoder, list_file, ini_file, macro ...).
# Builds with clang and libFuzzer into build-fuzz/. New inputs that reach new code are kept in
# build-fuzz/corpus/NAME; a crash or broken property leaves its input in build-fuzz/ as
# crash-*, and the run fails. Copy an input worth keeping into fuzz/corpus/NAME.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: scripts/fuzz.sh NAME SECONDS}
seconds=${2:?usage: scripts/fuzz.sh NAME SECONDS}
[ -d "fuzz/corpus/$name" ] || { echo "no fuzz target named $name"; ls fuzz/corpus; exit 2; }
bash scripts/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DOSTREL_FUZZ=ON -DOSTREL_BUILD_TESTS=OFF -DOSTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "fuzz_$name"
mkdir -p "build-fuzz/corpus/$name"
cd build-fuzz
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
./"fuzz_$name" -max_total_time="$seconds" -max_len=65536 -timeout=10 -print_final_stats=1 \
    "corpus/$name" "../fuzz/corpus/$name"
