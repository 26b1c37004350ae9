# Sourced by the bench scripts: goes to the project's root, installs what the
# benches need, reads which Debian release this is, and names a build folder
# for the bench and the release (one work tree may serve both releases).
#   . "$(dirname "$0")/prepare.sh" NAME [plot]
# Sets `build` and the fields of /etc/os-release (VERSION_ID, PRETTY_NAME...).
# With `plot`, also Debian's matplotlib for the system's Python.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
if [ "${2:-}" = plot ] &&
  ! dpkg-query -W -f='${Status}' python3-matplotlib 2>/dev/null | grep -q "install ok installed"; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends python3-matplotlib
fi
. /etc/os-release
build=build-bench-$1-$VERSION_CODENAME
