#!/usr/bin/env bash
# Times build() against the plain widget loop, with and without batching, and
# with the memory setup bulkrename runs with, at 1,000, 2,000 and 4,000 files;
# what else grows with the rows, on the largest tree; ways of tearing 1,000
# files' rows down; and the build at 2,000 files under each size-class
# allocator. Every measurement runs in a fresh process,
# the variants of a round one after another, rotating which goes first.
# Writes the "Tree build on Debian N" section of docs/performance.md and the
# plot docs/build-times-N.png, for the release it runs on.
#   bash bench/build.sh [ROUNDS]
. "$(dirname "$0")/prepare.sh" build plot
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTICKPANE_TESTS=OFF -DTICKPANE_PYTHON=OFF \
  -DTICKPANE_APP=OFF >/dev/null
cmake --build "$build" -j 2 --target build_bench
bench=$build/bin/build_bench
rounds=${1:-3}
python=/usr/bin/python3
# The allocators preloaded below, where Debian keeps them for this machine.
libdir=/usr/lib/$(g++ -print-multiarch)
jemalloc=$libdir/libjemalloc.so.2
tcmalloc=$libdir/libtcmalloc_minimal.so.4
# The loader skips a preload it cannot find with a mere warning, which would
# pass the C library's allocator off as another.
for library in "$jemalloc" "$tcmalloc"; do
  if [ ! -e "$library" ]; then
    echo "bench/build.sh: $library is missing (see scripts/setup.sh)" >&2
    exit 1
  fi
done
# Named by the package that holds it: the name differs between Debian releases.
package() { dpkg-query -S "$1" | cut -d: -f1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One measurement in a fresh process on a virtual screen; build()'s summary
# lines go to standard error, kept for a failure.
measure() {
  if ! xvfb-run -a -s "-screen 0 1280x1024x24" "$@" 2>"$work/err"; then
    grep -v '^+' "$work/err" | tail -20 >&2
    exit 1
  fi
}

declare -A location
for files in 1000 2000 4000; do location[$files]=$($bench tree "$work" "$files"); done
# bulkrename's memory setup (app/src/memory_setup.h): jemalloc linked in,
# with huge pages, and GLib's small blocks taken from it.
as_bulkrename=(env LD_PRELOAD=$jemalloc MALLOC_CONF=thp:always,metadata_thp:always
  G_SLICE=always-malloc)
variants=(plain unbatched build bulkrename)
declare -A label=([plain]="plain loop" [unbatched]="build, shown one by one" [build]="build"
  [bulkrename]="build, as bulkrename runs it")
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

echo "files,rows,variant,seconds" >"$work/times.csv"
for round in $(seq "$rounds"); do
  for files in 1000 2000 4000; do
    for turn in 0 1 2 3; do
      variant=${variants[$(((turn + round) % 4))]}
      if [ "$variant" = bulkrename ]; then
        read -r rows seconds < <(measure "${as_bulkrename[@]}" $bench time build \
          "${location[$files]}")
      else
        read -r rows seconds < <(measure $bench time "$variant" "${location[$files]}")
      fi
      echo "$files,$rows,\"${label[$variant]}\",$seconds" | tee -a "$work/times.csv"
    done
  done
done

echo "what,rows,ms" >"$work/operations.csv"
measure $bench operate "${location[4000]}" | tee -a "$work/operations.csv"

echo "way,rows,seconds" >"$work/teardown.csv"
for round in $(seq "$rounds"); do
  for turn in 0 1 2; do
    measure $bench teardown $(((turn + round) % 3)) "${location[1000]}" | tee -a "$work/teardown.csv"
  done
done

echo "allocator,files,rows,variant,seconds" >"$work/allocators.csv"
for round in $(seq "$rounds"); do
  for allocator in glibc tcmalloc jemalloc bulkrename; do
    case $allocator in
      glibc) name="glibc malloc" setup=(env LD_PRELOAD=) ;;
      tcmalloc) name="tcmalloc ($(package "$tcmalloc"))" setup=(env LD_PRELOAD=$tcmalloc) ;;
      jemalloc) name="jemalloc ($(package "$jemalloc"))" setup=(env LD_PRELOAD=$jemalloc) ;;
      bulkrename) name="jemalloc, huge pages, GLib's blocks from it (bulkrename)"
        setup=("${as_bulkrename[@]}") ;;
    esac
    for variant in plain build; do
      read -r rows seconds < <(measure "${setup[@]}" $bench time "$variant" "${location[2000]}")
      echo "\"$name\",2000,$rows,\"${label[$variant]}\",$seconds" | tee -a "$work/allocators.csv"
    done
  done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

tables=$("$python" bench/build_report.py "docs/build-times-$VERSION_ID.png" "$work/times.csv" \
  "$work/operations.csv" "$work/teardown.csv" "$work/allocators.csv")
echo "$tables"
notes=$(cat bench/build-notes.md)
"$python" bench/update_section.py docs/performance.md "Tree build on Debian $VERSION_ID" <<EOF2
Measured by \`bash bench/build.sh\` on $(date -u +%Y-%m-%d), $PRETTY_NAME, $(nproc) cores, Xvfb, load average
$load_before before and $load_after after: medians of $rounds rounds. Each measurement runs in a
fresh process (the heap an earlier tree leaves behind slows every later one); a round runs the
plain loop, one \`build()\` showing each widget as it is made (\`RevealBatch(0)\`), one
\`build()\` as shipped and one as bulkrename runs it (its memory setup, below, given in the
environment) one after another, rotating which goes first. The plain loop creates the
same widgets, cell sizers, fonts and colours for the same rows without our libraries: the
toolkit's floor.

![Build time against rows](build-times-$VERSION_ID.png)

$tables

$notes
EOF2
