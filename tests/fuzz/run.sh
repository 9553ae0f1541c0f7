#!/usr/bin/env bash
# Builds one fuzz target with clang (libFuzzer, ASan, UBSan) and runs it for a bounded time on
# its seed corpus in tests/fuzz/corpus/TARGET. New inputs go to BUILD_DIR/TARGET.
# Usage: tests/fuzz/run.sh BUILD_DIR SECONDS [TARGET]
# TARGET: group-file (the default), drop-list or settings-records.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${1:?usage: run.sh BUILD_DIR SECONDS [TARGET]}"
RUN_SECONDS="${2:-60}"
TARGET="${3:-group-file}"

OPTIONS=()
case "$TARGET" in
  group-file)
    SOURCES=(tests/fuzz/GroupFileFuzz.cpp src/model/GroupCodec.cpp)
    OPTIONS=(-max_len=4096 -dict="$ROOT/tests/fuzz/group.dict") ;;
  drop-list)
    SOURCES=(tests/fuzz/DropListFuzz.cpp src/shell/DropList.cpp)
    OPTIONS=(-max_len=4096) ;;
  settings-records)
    SOURCES=(tests/fuzz/SettingsRecordsFuzz.cpp src/settings/SettingsRecords.cpp src/appbar/AppBarState.cpp
             src/appbar/AppBarGeometry.cpp src/appbar/Dpi.cpp)
    OPTIONS=(-max_len=256) ;;
  *) echo "unknown fuzz target: $TARGET" >&2; exit 2 ;;
esac

OUT="$BUILD_DIR/$TARGET"
mkdir -p "$OUT/corpus"
CXX="$(command -v clang++ || command -v clang++-14)"
BIN="$OUT/fuzz"
(cd "$ROOT" && "$CXX" -std=c++20 -g -O1 -Wall -Wextra -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
       -I src -I tests "${SOURCES[@]}" -o "$BIN")

# A 64 MB allocation from a few kilobytes of input would be a count taken on trust.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=32}"
"$BIN" -max_total_time="$RUN_SECONDS" -timeout=10 -malloc_limit_mb=64 -rss_limit_mb=1024 "${OPTIONS[@]}" \
       -artifact_prefix="$OUT/" -print_final_stats=1 "$OUT/corpus" "$ROOT/tests/fuzz/corpus/$TARGET"
