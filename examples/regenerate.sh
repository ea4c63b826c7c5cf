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
# The converter reads the path, then waits for one key press before it ends.
log=$(printf '%s\n\n' "$root/examples/demo.j" | "$build/jasscribe")
printf '%s\n' "$log"
# It always exits with 0: success shows only as the two paths it prints.
case "$log" in
  *war3map.cpp*war3map.h*) ;;
  *) echo "regenerate.sh: the converter wrote no output" >&2; exit 1 ;;
esac
