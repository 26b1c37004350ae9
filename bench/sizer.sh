#!/usr/bin/env bash
# Times one layout of grid lines shaped like the tree's (both panels' sizers)
# in wxGridBagSizer and in tickpane::GridBagSizer, in pairs: each run of
# bench/sizer_bench builds both and lays them out one right after the other,
# taking turns at going first, and checks they agree. Medians of ROUNDS runs
# for each number of lines; writes the "Grid-bag layout on Debian N" section of
# docs/performance.md.
#   bash bench/sizer.sh [ROUNDS [LINES...]]      (default: 3 rounds of 1000 2000 4000 8000)
. "$(dirname "$0")/prepare.sh" sizer
rounds=${1:-3}
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1000 2000 4000 8000)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTICKPANE_TESTS=OFF -DTICKPANE_PYTHON=OFF \
  -DTICKPANE_APP=OFF >/dev/null
cmake --build "$build" -j 2 --target sizer_bench >/dev/null
bench=$build/bin/sizer_bench
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

results=()
for ((round = 0; round < rounds; round++)); do
  for lines in "${sizes[@]}"; do
    first=wx
    (( round % 2 )) && first=ours
    results+=("$("$bench" "$lines" "$first")")
    echo "${results[-1]}"
  done
done

table=$(printf '%s\n' "${results[@]}" | sort -n -k1,1 | awk '
  function median(list, n,   sorted, i, j, t) {
    for (i = 1; i <= n; i++) sorted[i] = list[i]
    for (i = 2; i <= n; i++)
      for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) { t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t }
    return sorted[int((n + 1) / 2)]
  }
  function flush() {
    if (!n) return
    w = median(wx, n); o = median(ours, n)
    printf "| %d | %d | %.1f | %.2f | %.0f |\n", lines, 2 * lines, 1000 * w, 1000 * o, w / o
    n = 0
  }
  $1 != lines { flush(); lines = $1 }
  { n++; wx[n] = $2; ours[n] = $3 }
  END { flush() }')
table="| lines | items | wxGridBagSizer (ms) | tickpane::GridBagSizer (ms) | wx / ours |
|---|---|---|---|---|
$table"
echo "$table"

wx_version=$(dpkg-query -W -f='${Version}' libwxgtk3.2-dev)
/usr/bin/python3 bench/update_section.py docs/performance.md "Grid-bag layout on Debian $VERSION_ID" <<EOF2
Measured by \`bash bench/sizer.sh\` on $(date -u +%Y-%m-%d), $PRETTY_NAME, wxWidgets $wx_version,
$(nproc) cores, load average $load_before before and $(cut -d' ' -f1-3 /proc/loadavg) after:
medians of $rounds rounds. Each run (\`bench/sizer_bench\`) fills both panels' sizers with LINES
grid lines shaped like the tree's (the left panel's cells in column 0, the right panel's in
column 1 with column 0 empty; each cell a box sizer of spacers in place of the indent and the
widgets), once with \`wxGridBagSizer\` and once with \`tickpane::GridBagSizer\`, and times one
layout of each (\`SetDimension\`: \`CalcMin\` and \`RepositionChildren\` of both sizers), the two
taking turns at going first; they must give every item the same rect. Spacers leave out the
widgets' own sizing and moving, which costs both sizers alike.

wx's \`CalcMin\` asks, for every cell of the grid, which item covers it by searching the items
from the first: its time grows with the square of the lines, and the right panel's empty
column costs a search through all items per line. Ours asks each item once.

$table
EOF2
