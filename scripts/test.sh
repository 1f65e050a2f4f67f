#!/usr/bin/env bash
# Installs what is missing, builds Glimmora with its tests and runs every test.
#   scripts/test.sh                      normal build in build/
#   GLIMMORA_SANITIZE=thread scripts/test.sh            ThreadSanitizer build in build-thread/
#   GLIMMORA_SANITIZE=address,undefined scripts/test.sh  ASan+UBSan build in build-address,undefined/
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

sanitize="${GLIMMORA_SANITIZE:-}"
build_dir="build${sanitize:+-$sanitize}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMORA_WERROR=ON \
  -DGLIMMORA_SANITIZE="$sanitize" >/dev/null
cmake --build "$build_dir"
# Reports from inside system libraries are not ours (scripts/lsan.supp, scripts/tsan.supp).
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export TSAN_OPTIONS="suppressions=$PWD/scripts/tsan.supp${TSAN_OPTIONS:+:$TSAN_OPTIONS}"
cd "$build_dir"
ctest --output-on-failure -j2
