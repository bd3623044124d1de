#!/usr/bin/env bash
# Installs what is missing, builds with tests and runs them all. With OSTREL_SANITIZE=1 the whole
# suite runs a second time in a build made with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREL_BUILD_TESTS=ON -DOSTREL_BUILD_BENCH=ON >/dev/null
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
# The real-window tests wait on a window manager, which frames a window later under load: they
# run on their own after the rest, with a second try for a window framed later than they wait.
(cd build-test && ctest --output-on-failure -j2 --timeout 120 -E '^RealWindowTests$')
(cd build-test && ctest --output-on-failure --timeout 120 --repeat until-pass:2 -R '^RealWindowTests$')

if [ "${OSTREL_SANITIZE:-0}" = 1 ]; then
  # Optimised lightly, with line tables only: the build and the run both stay short.
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DOSTREL_SANITIZE=ON \
        -DOSTREL_BUILD_TESTS=ON -DOSTREL_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan
  # Qt and the font libraries keep memory until exit on purpose, so leaks are not reported;
  # every other finding stops the test that made it.
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0:halt_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # A package made of a sanitized build means nothing; everything else runs again, the
  # real-window tests on their own as above.
  (cd build-asan && ctest --output-on-failure -j2 --timeout 300 -E '^(PackageContents|RealWindowTests)$')
  (cd build-asan && ctest --output-on-failure --timeout 300 --repeat until-pass:2 -R '^RealWindowTests$')
fi
