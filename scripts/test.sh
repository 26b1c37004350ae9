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
# The screen does not reset when its last client leaves, so a test starting
# just then cannot find it half gone; what it says goes to a log shown when a
# test fails.
screen_log=$PWD/build/xvfb.log
screen=(xvfb-run -a -n $((100 + RANDOM % 900)) -e "$screen_log"
        -s "-screen 0 1280x1024x24 -noreset")
on_screen() {
  "${screen[@]}" "$@" || { echo "The virtual screen's log:"; tail -n 40 "$screen_log"; return 1; }
}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && on_screen ctest --output-on-failure)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTICKPANE_SANITIZE=ON \
  -DTICKPANE_PYTHON=OFF -DTICKPANE_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
# The toolkit's own leaks at exit are not ours to report.
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  on_screen ctest --output-on-failure -L "gui|unit")
