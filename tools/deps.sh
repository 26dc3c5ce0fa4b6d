#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need,
# and any named on the command line, only when one of them is missing.
set -euo pipefail
# Qt Charts' CMake files look for Qt OpenGL's, which qt6-charts-dev does not pull in.
pkgs=(cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev
      libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick fonts-dejavu-core
      fonts-liberation poppler-utils "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
