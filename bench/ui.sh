#!/usr/bin/env bash
# Times, through the Python modules, what a user waits for: the tree's build
# and the operations after it (layout, a click on the top folder, invert,
# tick all, collapse, expand, teardown), each followed by event processing
# until idle, against the plain wxPython loop that makes and changes the same
# widgets the same way without our libraries; and the resident memory after
# the build. 1,000, 2,000 and 4,000 files, every measurement in a fresh
# process, tree and plain loop in turn, rotating which goes first. Writes the
# "Through the Python modules on Debian N" section of docs/performance.md and
# the plot docs/ui-times-N.png, for the release it runs on.
#   bash bench/ui.sh [ROUNDS] [FILES...]
. "$(dirname "$0")/prepare.sh" ui plot
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTICKPANE_TESTS=OFF -DTICKPANE_APP=OFF \
  -DTICKPANE_PYTHON=ON >/dev/null
cmake --build "$build" -j 2 --target build_bench filerow_python tickpane_python
rounds=${1:-3}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 2000 4000)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "files,variant,step,rows,value" >"$work/ui.csv"
for round in $(seq "$rounds"); do
  for files in "${sizes[@]}"; do
    location=$("$build"/bin/build_bench tree "$work" "$files")
    variants=(tree plain)
    [ $((round % 2)) -eq 0 ] && variants=(plain tree)
    for variant in "${variants[@]}"; do
      if ! PYTHONPATH="$build"/python xvfb-run -a -s "-screen 0 1280x1024x24" \
          /usr/bin/python3 bench/ui_bench.py "$variant" "$location" >"$work/out" 2>"$work/err"; then
        tail -20 "$work/err" >&2
        exit 1
      fi
      grep -E '^[a-z ]+,[0-9]+,[0-9.]+$' "$work/out" | sed "s/^/$files,$variant,/" |
        tee -a "$work/ui.csv"
    done
  done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

tables=$(/usr/bin/python3 bench/ui_report.py "docs/ui-times-$VERSION_ID.png" "$work/ui.csv")
echo "$tables"
/usr/bin/python3 bench/update_section.py docs/performance.md "Through the Python modules on Debian $VERSION_ID" <<EOF2
Measured by \`bash bench/ui.sh\` on $(date -u +%Y-%m-%d), $PRETTY_NAME,
$(nproc) cores, Xvfb, load average $load_before before and $load_after after: medians of $rounds
rounds. A wxPython host (\`bench/ui_bench.py\`, with the example host's theme and styling) in a
shown 900 x 700 frame, both panels in one scrolled window; each step is followed by the
toolkit's event processing until idle, so layout and painting count. "plain loop" makes the same
widgets, cell sizers, fonts, colours and host styling calls, and then changes them exactly as the
tree would, with plain wxPython calls. The tree is laid out by \`tickpane.GridBagSizer\`, as the
example host does; the plain loop by wxPython's own \`wx.GridBagSizer\`. Each measurement in a
fresh process.

![Build time through the Python modules against rows](ui-times-$VERSION_ID.png)

$tables
EOF2
