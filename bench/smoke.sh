#!/usr/bin/env bash
# One repetition of the two quickest benchmarks, natively and under Wine, and of the drop that
# needs a question on a real bar, so that the benchmark programs cannot stop working unnoticed.
# Measures nothing worth reading. Run by test.sh with the build folder as $1, after it has set
# up Wine and the display.
set -euo pipefail
BUILD="$1"
dir="$BUILD/bench-smoke"
rm -rf "$dir"; mkdir -p "$dir"
trap 'rm -rf "$dir"' EXIT
"$BUILD/native/bench/bench_codec" 1 "$dir"
p="$(readlink -f "$dir")"
wine "$BUILD/win/bench/bench_win.exe" group 1 "Z:${p//\//\\}"
# The drop that needs a question, on a real bar: one run.
mkdir -p "$dir/app" "$dir/target"
cp "$BUILD/win/Varolin.exe" "$dir/app/"
printf 'note\n' >"$dir/note.txt"
wine "$BUILD/win/bench/bench_win.exe" drop-question 1 "Z:${p//\//\\}\\app" "Z:${p//\//\\}\\note.txt" \
  "Z:${p//\//\\}\\target"
echo "bench smoke: passed"
