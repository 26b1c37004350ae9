#!/usr/bin/env bash
# The main job: set up, build and run the renaming application (bulkrename).
# Arguments go to the application (bash scripts/run.sh --help lists them).
# Without a display the window is drawn on a virtual screen and saved as a
# PNG file instead, whose path is printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target bulkrename
app=build/bin/bulkrename

# These need no screen at all.
for arg in "$@"; do
  case "$arg" in
    --dry-run | --apply | --undo | --help | -h | --version) exec "$app" "$@" ;;
  esac
done

if [ -n "${DISPLAY:-}" ]; then
  exec "$app" "$@"
fi
shot="${BULKRENAME_SCREENSHOT:-$PWD/build/bulkrename.png}"
xvfb-run -a -s "-screen 0 1280x1024x24" "$app" --screenshot "$shot" "$@"
echo "No display here: the window was drawn on a virtual screen and saved as"
echo "  $shot"
