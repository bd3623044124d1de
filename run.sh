#!/usr/bin/env bash
# Installs what is missing, builds a Release into build/ and starts the editor.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_BUILD_TESTS=OFF -DOSTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build --target ostrel
exec ./build/ostrel "$@"
