#!/usr/bin/env bash
# Profiles the Release converter on one script and prints the functions that
# cost most: valgrind's callgrind (instructions executed, the same on every
# run, so steps compare exactly), or with --perf perf's CPU-clock sampling.
# Usage: bench/profile.sh [--perf] [build-dir] [script.j]
#   build-dir defaults to build-profile (Release with symbols, built here);
#   the script defaults to ../shared/corpus/dota-allstars.j.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tool=callgrind
if [[ ${1:-} == --perf ]]; then tool=perf; shift; fi
build=$(realpath -m "${1:-$root/build-profile}")
script=$(realpath "${2:-$root/../shared/corpus/dota-allstars.j}")

# Release code generation; -g only adds the symbols that name inlined code.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-g >/dev/null
cmake --build "$build" --target jasscribe >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$script" "$work/"
input="$work/$(basename "$script")"
# The converter reads the path, then waits for one key press.
printf '%s\n\n' "$input" >"$work/answers"

if [[ $tool == perf ]]; then
  perf record -q -e cpu-clock -o "$work/perf.data" "$build/jasscribe" <"$work/answers" >/dev/null
  perf report -i "$work/perf.data" --no-children --stdio 2>/dev/null | grep -E '^ +[0-9]' | head -25
else
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
    "$build/jasscribe" <"$work/answers" >/dev/null 2>"$work/log"
  grep 'Collected' "$work/log"
  callgrind_annotate "$work/callgrind.out" 2>/dev/null | sed -n '/file:function/,$p' | sed -n '3,27p' |
    sed -E 's/\?\?\?://; s/ \[[^]]*\]$//' | cut -c1-140
fi
