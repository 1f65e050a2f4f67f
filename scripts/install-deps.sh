#!/usr/bin/env bash
# Installs the Debian packages Glimmora needs to build, run and test, but only those missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev libqt6svg6
  libpulse-dev libfftw3-dev libhidapi-dev libola-dev
  libx11-dev libxtst-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool trayer x11-utils imagemagick
  pulseaudio pulseaudio-utils sox
  ola iproute2 util-linux
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
