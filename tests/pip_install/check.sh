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
# The build tools come from the system where it has them (Debian 13), so no
# network is needed; otherwise pip fetches them from PyPI, and a machine that
# cannot reach it skips this test (exit 77) instead of failing it.
isolation=(--no-build-isolation)
if ! "$scratch/venv/bin/python" -c "import scikit_build_core, pybind11" 2>/dev/null; then
  isolation=()
  if ! "$scratch/venv/bin/python" -m pip download --quiet --no-deps --dest "$scratch/probe" \
      "scikit-build-core>=0.10" >/dev/null 2>&1; then
    echo "pip_install: scikit-build-core is neither installed nor reachable on PyPI; skipped"
    exit 77
  fi
fi
# The CMake build folder outlives the environment: a second run compiles only
# what changed.
CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2} \
  "$scratch/venv/bin/python" -m pip install --quiet --disable-pip-version-check \
  "${isolation[@]}" --config-settings=build-dir="$scratch/build" "$source"
# Nothing but the environment's own site-packages provides the modules.
cd "$scratch"
env -u PYTHONPATH "$scratch/venv/bin/python" "$here/use_installed.py" "$source/examples"
