#!/usr/bin/env bash
# Writes tests/golden/corpus.sha256 again: the SHA-256 digests of the
# war3map.cpp and war3map.h that the converter writes for every script of
# ../shared/corpus. Run it only when a change is meant to alter the output,
# and say so in the commit; the digest test never refreshes the file itself.
# Usage: tests/golden/refresh-digests.sh [build-dir]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-$root/build}")
corpus="$root/../shared/corpus"
digests="$root/tests/golden/corpus.sha256"

if [[ -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" >/dev/null
else
  cmake -S "$root" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target jasscribe >/dev/null

# The converter writes beside the script, so each script gets a folder of
# its own, named after it; the digest lines name "script/war3map.cpp".
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
for script in "$corpus"/*.j; do
  name=$(basename "$script" .j)
  mkdir "$name"
  cp "$script" "$name/$name.j"
  # The converter reads the path, then waits for one key press.
  printf '%s\n\n' "$work/$name/$name.j" | "$build/jasscribe" >/dev/null
  if [[ ! -f $name/war3map.cpp || ! -f $name/war3map.h ]]; then
    echo "refresh-digests.sh: no output for $name.j" >&2
    exit 1
  fi
  sha256sum "$name/war3map.cpp" "$name/war3map.h"
done >"$work/digests"
mv "$work/digests" "$digests"
echo "wrote $digests ($(wc -l <"$digests") digests)"
