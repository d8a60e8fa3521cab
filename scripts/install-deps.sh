#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the viewer,
# and the packages named as arguments (what a single script needs beyond that).
# Runs apt-get directly as root (CI) and through sudo otherwise; skips the install
# when every package is already present so repeated runs stay fast.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libturbojpeg0-dev libtiff-dev
  libpugixml-dev nlohmann-json3-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev
  libopencv-imgproc-dev
  libqt6svg6  # the SVG icon engine that draws the icons
  xvfb xauth
  locales  # the camera-file test builds a decimal-comma locale with localedef
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
