#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs the whole test suite.
# Arguments are handed to ctest (for example -L unit, or -R test_dispatch).
# A first run builds everything: about four minutes on two cores; later runs build what changed.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUORVINK_TEST_BUILD:-$top/build-tests}"
[ -f "$build/build.ninja" ] ||
    echo "test.sh: a first run builds the program and every test: about four minutes on two cores"
bash "$top/scripts/setup.sh"

# The preset "tests" (CMakePresets.json): the release build as the package holds it (optimised,
# hardened, line tables only: enough for every backtrace), with the tests (not optimised: they run
# once), linked by gold (a third of the link time for the sixty programs), warnings as errors.
cmake --preset tests -S "$top" -B "$build" >/dev/null
cmake --build "$build"
cd "$build"
# The test programs run side by side, two per core, at most four: an end-to-end program spends
# most of its time waiting for its web engine, its office or the X server (on two cores, four
# side by side take three quarters of the time two take, and leave a third of the processor
# idle), and each has an engine of its own, some an office. Those that share the screen take
# turns (tests/CMakeLists.txt). CTEST_PARALLEL_LEVEL or a -j argument chooses otherwise.
jobs="$(($(nproc) * 2))"
[ "$jobs" -le 4 ] || jobs=4
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$jobs}"
# Most tests run offscreen; those that need real window frames and a screen wider than 32,767
# twips run on a virtual screen with a window manager, which this provides for all of them.
exec "$top/scripts/on-screen.sh" ctest --output-on-failure "$@"
