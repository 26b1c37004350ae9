#!/usr/bin/env bash
# Times build() against the plain widget loop at 500, 1000 and 2000 files, one
# click on the top folder and a walk of changes(); writes the figures to the
# "Tree build" section of docs/performance.md.
#   bash bench/build.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTICKPANE_TESTS=OFF -DTICKPANE_PYTHON=OFF \
  -DTICKPANE_APP=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target build_bench
table=$(xvfb-run -a -s "-screen 0 1280x1024x24" build-bench/bin/build_bench "${1:-5}" 500 1000 2000 2>/dev/null)
echo "$table"
python3 bench/update_section.py docs/performance.md "Tree build" <<EOF2
Measured by \`bash bench/build.sh\` on $(date -u +%Y-%m-%d), $(nproc) cores, Xvfb: medians of
${1:-5} rounds, each round one plain loop and one \`build()\` in fresh shown frames, alternating which
goes first. The plain loop creates the same widgets, cell sizers, fonts and colours for the same
rows without our libraries: the toolkit's floor.

$table
EOF2
