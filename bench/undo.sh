#!/usr/bin/env bash
# Times bulkrename's renaming engine on 100,000 renames (100 folders of 999
# files, files and folders renamed in one batch): the check, the journaled
# renames, reading the journal back and the undo, which must take at most
# 2 s. Each round runs in a fresh folder; writes the "Undo" section of
# docs/performance.md.
#   bash bench/undo.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
rounds=${1:-5}
python=/usr/bin/python3
cmake -S . -B build-bench-undo -DCMAKE_BUILD_TYPE=Release -DTICKPANE_TESTS=OFF \
  -DTICKPANE_PYTHON=OFF >/dev/null
cmake --build build-bench-undo -j 2 --target undo_bench >/dev/null
bench=build-bench-undo/bin/undo_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
results=()
for ((round = 0; round < rounds; round++)); do
  rm -rf "$work/round"
  mkdir "$work/round"
  results+=("$("$bench" "$work/round" 100 999)")
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
column() { for line in "${results[@]}"; do echo "$line" | cut -d ' ' -f "$1"; done; }
renames=${results[0]%% *}
check=$(median $(column 2)) rename=$(median $(column 3)) load=$(median $(column 4))
undo=$(median $(column 5)) floor=$(median $(column 6))
slowest=$(column 5 | sort -g | tail -n 1)
table="| step | median (s) |
|---|---|
| check (identity of every entry) | $check |
| renames, journaled | $rename |
| journal read back | $load |
| undo | $undo |
| the same renames as a bare \`renameat\` loop (the floor) | $floor |"
echo "$table"
echo "slowest undo: $slowest s"

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
"$python" bench/update_section.py docs/performance.md "Undo" <<EOF2
Measured by \`bash bench/undo.sh\` on $(date -u +%Y-%m-%d), $(nproc) cores ($cpu), load average
$(cut -d ' ' -f 1 /proc/loadavg) from other work, $(df --output=fstype "$work" | tail -n 1) file system. One batch of $renames renames: 100
folders of 999 files, every file and every folder renamed, as the window and \`--apply\` run it
(\`Renamer::check\`, then \`execute\` with its journal), then the journal read back
(\`Journal::last\`) and the batch undone (\`Journal::undo\`). Medians of $rounds rounds, each on a
fresh tree, each step started on a synced file system; the slowest undo took $slowest s.

Target: the undo of 100,000 renames in at most 2 s. Before the journal went to disk, the undo
compared every rename with every later one to find where it now was: 16.5 s for 100,000. It now
finds each entry's folder through a map of the renamed folders, one look-up per level, so its
time grows with the batch: per rename, a \`statx\` to make sure its folder's name still leads
to the folder kept open from the rename before (an \`openat\` when the folder changes), a
\`statx\` to check it is still the entry renamed, the \`renameat2\` and the journal's line.
Most of it is the file system's own work on each rename: compare the bare \`renameat\` loop of
the same renames, which checks and records nothing.

$table
EOF2
