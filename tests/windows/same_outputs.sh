#!/usr/bin/env bash
# The Windows build writes the same bytes as the Linux build: both convert
# every script of the corpus through the command line, and every output file
# is compared byte for byte.
#   same_outputs.sh LINUX_EXE WINDOWS_EXE CORPUS_DIR WORK_DIR
# The Windows program runs under $JASSCRIBE_WINE (wine64), in $WINEPREFIX.
set -euo pipefail
linux_exe=$1 windows_exe=$2 corpus=$3 work=$4

rm -rf "$work"
mkdir -p "$work/in"
cp "$corpus"/*.j "$work/in/"
cd "$work"
scripts=(in/*.j)

"$linux_exe" -q -o linux "${scripts[@]}"
"${JASSCRIBE_WINE:?}" "$windows_exe" -q -o windows "${scripts[@]}"

compared=0 differing=0
for script in "${scripts[@]}"; do
  stem=$(basename "$script" .j)
  for name in war3map.cpp war3map.h; do
    compared=$((compared + 1))
    if ! cmp "linux/$stem/$name" "windows/$stem/$name"; then
      differing=$((differing + 1))
    fi
  done
done
echo "${#scripts[@]} scripts, $compared files compared, $differing differing"
((compared > 0 && differing == 0))
