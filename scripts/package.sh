#!/usr/bin/env bash
# Builds the Debian package of the editor into build-deb/: a Release build without tests, then
# cpack. Install it with: sudo apt install ./build-deb/ostrel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DOSTREL_BUILD_TESTS=OFF -DOSTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-deb
(cd build-deb && cpack -G DEB)
ls build-deb/ostrel_*.deb
