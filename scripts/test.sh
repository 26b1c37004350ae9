#!/usr/bin/env bash
# Sets up, builds, and runs every test on a virtual screen: first the normal
# build (C++ and Python tests), then the C++ tests again with the address and
# undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
# X servers of other roots on this machine share display numbers with ours
# (abstract sockets ignore a chroot's /tmp): start the search for a free one
# at a random number rather than at 99, where every other run starts too.
screen=(xvfb-run -a -n $((100 + RANDOM % 900)) -s "-screen 0 1280x1024x24")
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && "${screen[@]}" ctest --output-on-failure)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTICKPANE_SANITIZE=ON \
  -DTICKPANE_PYTHON=OFF -DTICKPANE_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
# The toolkit's own leaks at exit are not ours to report.
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "${screen[@]}" ctest --output-on-failure -L "gui|unit")
