#!/usr/bin/env bash
# Installs what is missing, builds Glimmora and starts it from its run folder, which holds
# the program, its loadable libraries and its data files side by side.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target glimmora
cd build/run
exec ./glimmora
