#!/usr/bin/env bash
# Times bulkrename as its user waits for it (bench/app_bench.cpp): opening a
# folder of 1,000, 2,000 and 4,000 files against a plain loop that makes the
# same widgets in the same window, a change of rules, Tick all, Untick all,
# Invert, renaming every file and undoing it, a new build of the tree (what
# Rename and Undo did before), closing and the teardown of the window; and
# the resident memory the open window holds per row. Then once at 10,000
# files. Every series runs in a fresh process, both with bulkrename's memory
# setup; a round runs the plain loop and the application one after the
# other, taking turns at going first.
# Writes the section "Application on Debian N" of docs/performance.md and
# the plot docs/app-times-N.png, for the release it runs on.
#   bash bench/app.sh [ROUNDS]
# APP_BENCH_SIZES (default "1000 2000 4000") and APP_BENCH_LARGE (default
# 10000, 0 for none) choose the trees; small ones make a quick try.
. "$(dirname "$0")/prepare.sh" app plot
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTICKPANE_TESTS=OFF -DTICKPANE_PYTHON=OFF >/dev/null
cmake --build "$build" -j 2 --target app_bench
bench=$build/bin/app_bench
rounds=${1:-3}
read -r -a sizes <<<"${APP_BENCH_SIZES:-1000 2000 4000}"
large=${APP_BENCH_LARGE:-10000}
python=/usr/bin/python3
jemalloc=/usr/lib/$(g++ -print-multiarch)/libjemalloc.so.2
# The loader skips a preload it cannot find with a mere warning.
if [ ! -e "$jemalloc" ]; then
  echo "bench/app.sh: $jemalloc is missing (see scripts/setup.sh)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Journals of the renames go here, not to the user's.
export XDG_STATE_HOME=$work/state

# One series in a fresh process on a virtual screen; its steps, as CSV lines
# prefixed with the files and the variant. The build's summary lines and the
# steps' clock go to standard error, kept for a failure.
measure() {
  local files=$1 variant=$2
  shift 2
  if ! xvfb-run -a -s "-screen 0 1280x1024x24" "$@" >"$work/out" 2>"$work/err"; then
    grep -v '^+\|^step' "$work/err" | tail -20 >&2
    exit 1
  fi
  sed "s/^/$files,\"$variant\",/" "$work/out" | tee -a "$work/steps.csv"
}
# bulkrename's memory setup (app/src/memory_setup.h), given in the environment.
as_bulkrename=(env LD_PRELOAD=$jemalloc MALLOC_CONF=thp:always,metadata_thp:always
  G_SLICE=always-malloc)
variants=(plain bulkrename)
declare -A label=([plain]="plain loop" [bulkrename]="bulkrename")

declare -A location
for files in "${sizes[@]}" $([ "$large" -gt 0 ] && echo "$large"); do
  location[$files]=$($bench tree "$work" "$files")
done
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "files,variant,step,rows,value" >"$work/steps.csv"
for round in $(seq "$rounds"); do
  for files in "${sizes[@]}"; do
    for turn in 0 1; do
      variant=${variants[$(((turn + round) % 2))]}
      case $variant in
        plain) measure "$files" "${label[$variant]}" "${as_bulkrename[@]}" $bench plain \
          "${location[$files]}" ;;
        bulkrename) measure "$files" "${label[$variant]}" "${as_bulkrename[@]}" $bench use \
          "${location[$files]}" rebuild ;;
      esac
    done
  done
done
if [ "$large" -gt 0 ]; then
  measure "$large" "${label[bulkrename]}" "${as_bulkrename[@]}" $bench use "${location[$large]}"
fi
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

plot=app-times-$VERSION_ID.png
tables=$("$python" bench/app_report.py "docs/$plot" "$work/steps.csv")
echo "$tables"
"$python" bench/update_section.py docs/performance.md "Application on Debian $VERSION_ID" <<EOF2
Measured by \`bash bench/app.sh $rounds\` on $(date -u +%Y-%m-%d), $PRETTY_NAME (wx
$(wx-config --version), GTK $(pkg-config --modversion gtk+-3.0)), $(nproc) cores, Xvfb, load
average $load_before before and $load_after after: medians of $rounds rounds, the largest tree
once. What the user waits for, in bulkrename's own window (\`Window\`, shown on the virtual
screen): each step ends once the toolkit has nothing left to do, so layout and painting count.
Each series runs in a fresh process: open, then (a step each) a change of rules (Case: upper,
which changes every proposal), Tick all, Untick all, Invert (ticks all), Rename (every file),
Undo, a new build of the same tree (what Rename and Undo did until they updated the rows in
place), close. The plain loop makes the same widgets, cells, fonts and colours for the same rows
into the same window's tree area and lays it out: the toolkit's floor; then it makes the widget
changes a change of rules makes (each file's name in upper case and bold, its tick mark) and
those of Tick all (every box ticked, box and name in the ticked colour), the floor of those two
steps. Both run with bulkrename's memory setup (jemalloc, huge pages, GLib's blocks from it;
"Memory setup" under "Tree build"), so that each pair differs only in what the application does. Close: the window hides and the program ends
(it leaves the widgets to the operating system); teardown: destroying the window afterwards, as
a host that goes on running pays it. Memory: the process's resident memory (VmRSS, and its peak
VmHWM) once the window shows the folder, and per row the growth while opening.

![Open time and memory against rows](${plot})

$tables
EOF2
