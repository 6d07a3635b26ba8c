#!/usr/bin/env bash
# Builds the editor, its tests and benchmarks into build/ (or the folder
# given as BUILD_DIR) with CMake. Installs nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -gt 2 ] && jobs=2
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$jobs"
