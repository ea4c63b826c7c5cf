#!/bin/sh
# Regenerates the demo's converted output (war3map.cpp, war3map.h) from
# demo.j with a freshly built converter. Usage: examples/regenerate.sh [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" >/dev/null
else
  cmake -S "$root" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target jasscribe
# The command line writes both files beside the script and fails loudly.
"$build/jasscribe" "$root/examples/demo.j"
