#!/usr/bin/env bash
# Installs the build into a scratch prefix, builds tests/consumer (and each
# installed header on its own) against it
# with find_package, and runs the result.
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Staged under DESTDIR: the Python modules' folder is absolute, and nothing
# may land outside the scratch folder.
DESTDIR="$scratch/stage" cmake --install "$build" --prefix /opt/tickpane >/dev/null
cmake -S "$source" -B "$scratch/build" -DCMAKE_PREFIX_PATH="$scratch/stage/opt/tickpane" >/dev/null
cmake --build "$scratch/build" -j2 >/dev/null
"$scratch/build/consumer" | grep -q "^1.0 1.0 <Filerow: name: ''"
echo "installed package found and used"
