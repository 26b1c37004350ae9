#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian's archive
# (Debian 12 or 13). Does nothing when everything is there already.
set -euo pipefail

# Debian 13 renamed the libraries of its 64-bit time transition, and has the
# tools pip builds the Python modules with; on Debian 12 pip takes them from
# PyPI.
release_only=(libtcmalloc-minimal4t64 python3-scikit-build-core python3-pybind11)
if [ "$(. /etc/os-release && echo "$VERSION_CODENAME")" = bookworm ]; then
  release_only=(libtcmalloc-minimal4)
fi

packages=(
  cmake g++ make pkg-config
  libwxgtk3.2-dev libgtk-3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-dev python3-wxgtk4.0 pybind11-dev python3-pytest python3-venv
  xvfb xauth imagemagick
  libre2-dev
  # A font that draws the pictures of control characters shown in names.
  fonts-freefont-ttf
  # The SVG loader GTK's theme draws check marks with; without it the theme
  # falls back to coarser images and rows cannot make theirs once.
  librsvg2-common
  libjemalloc2 "${release_only[@]}"
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
