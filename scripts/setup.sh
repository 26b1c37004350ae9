#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian's archive.
# Does nothing when everything is there already.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libwxgtk3.2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-dev python3-wxgtk4.0 pybind11-dev python3-pytest
  xvfb xauth imagemagick
  libtcmalloc-minimal4 libjemalloc2
  libre2-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
