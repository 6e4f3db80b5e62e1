#!/usr/bin/env bash
# Builds the unit tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs them
# (the preset asan-ubsan of CMakePresets.json; the tests that start a web engine are left out).
# Only the unit tests and what they link are built: nothing here runs the office helper, which
# `cmake --build --preset asan-ubsan` builds as well.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/setup.sh"
cd "$top"
cmake --preset asan-ubsan >/dev/null
cmake --build --preset asan-ubsan --target quorvink_unit_tests
# Side by side, one per core (at most four), unless CTEST_PARALLEL_LEVEL or -j says otherwise.
jobs="$(nproc)"
[ "$jobs" -le 4 ] || jobs=4
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$jobs}"
ctest --preset asan-ubsan "$@"
