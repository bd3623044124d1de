#!/usr/bin/env bash
# Installs what is missing, builds with tests and runs them all.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREL_BUILD_TESTS=ON -DOSTREL_BUILD_BENCH=ON >/dev/null
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
cd build-test && ctest --output-on-failure -j2 --timeout 120
