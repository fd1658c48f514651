#!/usr/bin/env bash
# Builds and runs every test: optimised native build, sanitizer builds, and the 32-bit DLL under wine.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh"

run_ctest() { local dir=$1; shift; ctest --test-dir "$root/build/$dir" --output-on-failure -j "$jobs" "$@"; }

echo "== native, optimised"
configure release -DCMAKE_BUILD_TYPE=Release
build release
run_ctest release

echo "== native, AddressSanitizer + UndefinedBehaviorSanitizer"
configure asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_SANITIZE=ON -DTESSALINE_BENCHMARKS=OFF
build asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest asan

echo "== native, ThreadSanitizer: the tests that run threads"
# The tests labelled "threads" (see cmake/TessalineTesting.cmake); only their programs are built.
configure tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_TSAN=ON -DTESSALINE_BENCHMARKS=OFF
cmake --build "$root/build/tsan" -j "$jobs" --target threaded_tests
TSAN_OPTIONS="suppressions=$root/tests/tsan_suppressions.txt" run_ctest tsan -L threads

echo "== 32-bit Windows under wine"
configure win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake"
build win32
use_wine
# A test that fails is run once more under wine: a wine process can, rarely, fail to start while
# many run at once. A real fault fails both times.
run_ctest win32 --repeat until-pass:2
