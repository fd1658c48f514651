#!/usr/bin/env bash
# Builds everything (native Linux and 32-bit Windows) into build/ and dist/, then runs the main job.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh"

configure release -DCMAKE_BUILD_TYPE=Release
build release
configure win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake"
build win32

echo "== engine benchmark"
"$root/build/release/bench/engine_bench" --benchmark_min_time=0.2

echo "== demonstration: a generated test signal through the plug-in, default settings"
mkdir -p "$root/dist/demo"
"$root/build/release/host/tessaline-host" render "$root/dist/linux-x86_64/Tessaline.vst3" \
  "$root/dist/demo/tessaline-demo.wav"
