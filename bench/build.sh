#!/usr/bin/env bash
# Times build() against the plain widget loop, with and without batched
# reveal, at 500 to 4,000 files in one run; what else grows with the rows on
# the largest tree; teardown ways on 1,000 files; and the build at 1,000 files
# under each size-class allocator. Writes the "Tree build" section of
# docs/performance.md and the plot docs/build-times.png.
#   bash bench/build.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The plot is drawn with Debian's matplotlib for the system's Python.
if ! dpkg-query -W -f='${Status}' python3-matplotlib 2>/dev/null | grep -q "install ok installed"; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends python3-matplotlib
fi
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTICKPANE_TESTS=OFF -DTICKPANE_PYTHON=OFF \
  -DTICKPANE_APP=OFF >/dev/null
cmake --build build-bench -j 2 --target build_bench
rounds=${1:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
screen=(xvfb-run -a -s "-screen 0 1280x1024x24")
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# The program's standard error gets build()'s own summary lines; kept for a failure.
if ! table=$("${screen[@]}" build-bench/bin/build_bench "$rounds" "$work/main.csv" 1000 \
  500 1000 2000 4000 2>"$work/main.err"); then
  grep -v '^+' "$work/main.err" | tail -20 >&2
  exit 1
fi
echo "$table"
libdir=/usr/lib/x86_64-linux-gnu
# Each allocator's round runs beside one without, so both see the same machine.
for round in $(seq "$rounds"); do
  for alloc in none tcmalloc jemalloc; do
    case $alloc in
      none) preload="" ;;
      tcmalloc) preload=$libdir/libtcmalloc_minimal.so.4 ;;
      jemalloc) preload=$libdir/libjemalloc.so.2 ;;
    esac
    LD_PRELOAD=$preload "${screen[@]}" build-bench/bin/build_bench 1 "$work/$alloc-$round.csv" 0 \
      1000 >/dev/null 2>&1
  done
done
for alloc in none tcmalloc jemalloc; do
  head -1 "$work/$alloc-1.csv" >"$work/$alloc.csv"
  for round in $(seq "$rounds"); do tail -n +2 "$work/$alloc-$round.csv" >>"$work/$alloc.csv"; done
done
allocators=$(/usr/bin/python3 bench/plot_build.py docs/build-times.png "$work/main.csv" \
  "glibc malloc=$work/none.csv" "tcmalloc (libtcmalloc-minimal4)=$work/tcmalloc.csv" \
  "jemalloc (libjemalloc2)=$work/jemalloc.csv")
echo "$allocators"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
notes=$(cat bench/build-notes.md)
python3 bench/update_section.py docs/performance.md "Tree build" <<EOF2
Measured by \`bash bench/build.sh\` on $(date -u +%Y-%m-%d), $(nproc) cores, Xvfb, load average
$load_before before and $load_after after (other work on the machine): medians of $rounds rounds,
each round one plain loop, one \`build()\` showing each widget as it is made
(\`set_reveal_batch(0)\`) and one \`build()\` as shipped, in fresh shown frames, rotating which goes
first. The plain loop creates the same widgets, cell sizers, fonts and colours for the same rows
without our libraries: the toolkit's floor.

![Build time against rows](build-times.png)

$table

Size-class allocators, preloaded into the benchmark (\`LD_PRELOAD\`), at 1,000 files; each round
runs the three allocators one after another:

$allocators

$notes
EOF2
