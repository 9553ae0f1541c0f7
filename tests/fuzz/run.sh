#!/usr/bin/env bash
# Builds the group file reader's fuzz target with clang (libFuzzer, ASan, UBSan) and runs it
# for a bounded time on the seed corpus in tests/fuzz/corpus. New inputs go to BUILD_DIR.
# Usage: tests/fuzz/run.sh BUILD_DIR SECONDS
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
OUT="${1:?usage: run.sh BUILD_DIR SECONDS}"
RUN_SECONDS="${2:-60}"
mkdir -p "$OUT/corpus"

CXX="$(command -v clang++ || command -v clang++-14)"
SOURCES=("$ROOT/tests/fuzz/GroupFileFuzz.cpp" "$ROOT/src/model/GroupCodec.cpp")
BIN="$OUT/group_file_fuzz"
"$CXX" -std=c++20 -g -O1 -Wall -Wextra -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
       -I "$ROOT/src" -I "$ROOT/tests" "${SOURCES[@]}" -o "$BIN"

# A 64 MB allocation from a few kilobytes of input would be a count taken on trust.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=32}"
"$BIN" -max_total_time="$RUN_SECONDS" -max_len=4096 -timeout=10 -malloc_limit_mb=64 -rss_limit_mb=1024 \
       -dict="$ROOT/tests/fuzz/group.dict" -artifact_prefix="$OUT/" -print_final_stats=1 "$OUT/corpus" "$ROOT/tests/fuzz/corpus"
