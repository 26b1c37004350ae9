#!/usr/bin/env bash
# Installs the source tree with pip, as a Python host does: into a fresh
# virtual environment that sees the system's site-packages (where Debian's
# wxPython is), then builds a tree with the installed modules in a new
# interpreter of that environment.
#   check.sh PYTHON SOURCE SCRATCH
set -euo pipefail
python=$1 source=$2 scratch=$3
here=$(cd "$(dirname "$0")" && pwd)

"$python" -m venv --clear --system-site-packages "$scratch/venv"
# The CMake build folder outlives the environment: a second run compiles only
# what changed.
CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2} \
  "$scratch/venv/bin/python" -m pip install --quiet --disable-pip-version-check \
  --config-settings=build-dir="$scratch/build" "$source"
# Nothing but the environment's own site-packages provides the modules.
cd "$scratch"
env -u PYTHONPATH "$scratch/venv/bin/python" "$here/use_installed.py" "$source/examples"
