#!/usr/bin/env bash
# Runs the fuzz target for a while: fuzz/run.sh FUZZER [SECONDS] [WORK]
# The seeds are cut at run time from the shared corpus (each function and the
# start of each globals block of a few scripts, as its own small script); what
# libFuzzer adds is kept in WORK/corpus, so a later run goes on from there.
# Inputs that crash or take over 2 s land in WORK/found and fail the run.
set -euo pipefail
fuzzer=$(realpath "$1")
seconds=${2:-60}
work=${3:-$(dirname "$fuzzer")/fuzz-work}
here=$(cd "$(dirname "$0")" && pwd)
shared=$here/../../shared/corpus

mkdir -p "$work/seeds" "$work/corpus" "$work/found"
for script in melee-2autumnleaves.j melee-4hillsbradcreek.j tribute-alliance.j Blizzard.j \
              dota-allstars.j; do
  [[ -f $shared/$script ]] || continue
  # One file per function, and the first 40 lines of a globals block closed
  # at once; only pieces under 4 kB, at most 150 per script.
  awk -v out="$work/seeds/${script%.j}" '
    function flush() { if (n > 0 && length(text) < 4096 && kept < 150) {
                         print text > (out "-" NR ".j"); close(out "-" NR ".j"); ++kept }
                       n = 0; text = "" }
    /^[ \t]*(constant[ \t]+)?function[ \t]/ { flush(); n = 1; text = $0 "\n"; next }
    /^[ \t]*globals/ { flush(); n = 1; g = 1; text = $0 "\n"; next }
    g && (/^[ \t]*endglobals/ || n >= 40) { text = text "endglobals\n"; g = 0; flush(); next }
    n > 0 { text = text $0 "\n"; ++n }
    /^[ \t]*endfunction/ { flush() }
  ' "$shared/$script"
done
echo "fuzz: $(ls "$work/seeds" | wc -l) seeds, $seconds s"
"$fuzzer" -max_total_time="$seconds" -timeout=2 -max_len=8192 -print_final_stats=1 \
  -dict="$here/jass.dict" -artifact_prefix="$work/found/" "$work/corpus" "$work/seeds"
