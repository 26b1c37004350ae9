#!/usr/bin/env bash
# Times get_names() against a short Python script (os.walk, fnmatch, sort) and
# against `find LOC -name PAT | LC_ALL=C sort`, on a generated tree of 100,000
# files in 500 folders, for the patterns "*.txt" and "*"; checks that all three
# find the same names; writes the figures to the "Directory scan" section of
# docs/performance.md.
#   bash bench/scan.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
rounds=${1:-15}
python=/usr/bin/python3
cmake -S . -B build-bench-scan -DCMAKE_BUILD_TYPE=Release -DTICKPANE_TESTS=OFF \
  -DTICKPANE_PYTHON=OFF -DTICKPANE_APP=OFF >/dev/null
cmake --build build-bench-scan -j 2 --target scan_bench >/dev/null
bench=build-bench-scan/bin/scan_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$work/tree
"$python" - "$tree" <<'EOF2'
import os, sys
# 20 folders of 24 sub-folders each: 500 folders below the location, each
# holding 200 files, every other one a .txt.
for top in range(20):
    for sub in [[]] + [[f"sub{n:02d}"] for n in range(24)]:
        folder = os.path.join(sys.argv[1], f"dir{top:02d}", *sub)
        os.makedirs(folder)
        for n in range(200):
            open(os.path.join(folder, f"file{n:03d}" + (".dat", ".txt")[n % 2 == 0]), "w").close()
EOF2

# The same names from all three, which also warms the page cache.
for pattern in '*.txt' '*'; do
  "$bench" "$tree" "$pattern" "$work/ours" >/dev/null
  "$python" bench/scan_walk.py "$tree" "$pattern" "$work/script" >/dev/null
  find "$tree" ! -type d -name "$pattern" | sed "s|^$tree/||" | LC_ALL=C sort >"$work/find"
  if ! cmp -s "$work/ours" "$work/script" || ! cmp -s "$work/ours" "$work/find"; then
    echo "the scanners disagree on $pattern" >&2
    exit 1
  fi
done

find_ms() {
  local start end
  start=$(date +%s%N)
  find "$tree" -name "$1" | LC_ALL=C sort >/dev/null
  end=$(date +%s%N)
  awk -v ns=$((end - start)) 'BEGIN { printf "%.2f\n", ns / 1e6 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

table="| pattern | names | get_names() | Python script | find \| sort | vs Python | vs find |
|---|---|---|---|---|---|---|"
for pattern in '*.txt' '*'; do
  ours=() script=() finds=()
  for ((round = 0; round < rounds; round++)); do
    # Interleaved, each tool first in turn.
    for ((slot = 0; slot < 3; slot++)); do
      case $(((round + slot) % 3)) in
        0) ours+=("$("$bench" "$tree" "$pattern")") ;;
        1) script+=("$("$python" bench/scan_walk.py "$tree" "$pattern")") ;;
        2) finds+=("$(find_ms "$pattern")") ;;
      esac
    done
  done
  o=$(median "${ours[@]}") s=$(median "${script[@]}") f=$(median "${finds[@]}")
  names=$("$bench" "$tree" "$pattern" "$work/count" >/dev/null && wc -l <"$work/count")
  table+="
| \`$pattern\` | $names | $o ms | $s ms | $f ms | $(ratio "$o" "$s") | $(ratio "$o" "$f") |"
done
echo "$table"

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
"$python" bench/update_section.py docs/performance.md "Directory scan" <<EOF2
Measured by \`bash bench/scan.sh\` on $(date -u +%Y-%m-%d), $(nproc) cores ($cpu), load average
$(cut -d ' ' -f 1 /proc/loadavg) from other work, $(df --output=fstype "$tree" | tail -n 1) file system, $("$python" --version). The tree: 100,000 empty files in 500
folders (20 folders of 24 sub-folders, 200 files each, half of them \`.txt\`), scanned
recursively in file mode. Medians of $rounds rounds; each round runs the three once, interleaved,
each first in turn, after one run of each has warmed the page cache and shown that all three find
the same names.

- get_names(): \`bench/scan_bench\`, the call alone, timed inside the process.
- Python script: \`bench/scan_walk.py\` (os.walk, fnmatch.filter, sorted), the function alone,
  timed inside the interpreter, so its start-up is not counted.
- find | sort: \`find LOC -name PAT | LC_ALL=C sort\`, the whole pipeline's wall time (two
  processes, running side by side). It also lists the folders that match.

Targets: at most 0.5 times the script, at most 1.2 times find.

$table
EOF2
