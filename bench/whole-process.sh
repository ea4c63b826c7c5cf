#!/usr/bin/env bash
# Whole-process figure: the Release converter run as a user runs it (reading
# the file, normalising, translating, joining, writing both files), measured
# with GNU time. Prints the median CPU time (user + system) and the median
# peak resident size of the runs, per script.
# Usage: bench/whole-process.sh [--runs N] [build-dir] [script.j ...]
#   build-dir defaults to build-release (configured and built here as Release);
#   the scripts default to ../shared/corpus/dota-allstars.j.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=5
if [[ ${1:-} == --runs ]]; then runs=$2; shift 2; fi
build=$(realpath -m "${1:-$root/build-release}")
shift || true
scripts=("$@")
if ((${#scripts[@]} == 0)); then scripts=("$root/../shared/corpus/dota-allstars.j"); fi

if [[ ! -x /usr/bin/time ]]; then echo "whole-process.sh: needs GNU time (apt-get install time)" >&2; exit 1; fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target jasscribe >/dev/null

# The converter writes beside the script, so each script is converted from a
# copy in a scratch folder.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-32s %10s %12s %12s\n' script "size KB" "CPU s" "peak MB"
for script in "${scripts[@]}"; do
  name=$(basename "$script")
  cp "$script" "$work/$name"
  : >"$work/times"
  for ((i = 0; i < runs; i++)); do
    # The converter reads the path, then waits for one key press.
    printf '%s\n\n' "$work/$name" |
      /usr/bin/time -a -o "$work/times" -f '%U %S %M' "$build/jasscribe" >"$work/log"
    grep -q 'war3map.h' "$work/log" || { echo "whole-process.sh: $name: no output" >&2; exit 1; }
  done
  cpu=$(awk '{ printf "%.3f\n", $1 + $2 }' "$work/times" | median)
  peak=$(awk '{ printf "%.1f\n", $3 * 1024 / 1e6 }' "$work/times" | median)
  size=$(awk -v b="$(stat -c %s "$script")" 'BEGIN { printf "%.1f", b / 1000 }')
  printf '%-32s %10s %12s %12s\n' "$name" "$size" "$cpu" "$peak"
done
