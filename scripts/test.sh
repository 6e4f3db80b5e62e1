#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs the whole test suite.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/setup.sh"

build="${QUORVINK_TEST_BUILD:-$top/build-tests}"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVINK_WERROR=ON >/dev/null
cmake --build "$build"
cd "$build"
# The screen-picture tests need a real X screen; the others run offscreen.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 600 "$@"
fi
exec ctest --output-on-failure --timeout 600 "$@"
