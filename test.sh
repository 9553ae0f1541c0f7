#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test tier headlessly:
# native unit tests, the same unit tests under Wine, the Wine integration tests, the fuzz
# smoke runs and the end-to-end checks (the installer's among them); then the exe and tests built
# by clang (warning-clean; the unit tests, the Wine tests that open the common dialogs and one
# end-to-end check) and clang-tidy over src/. Exits non-zero when anything fails.
# VAROLIN_BUILD chooses the build folder (default: build/ in the repository).
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${VAROLIN_BUILD:-$ROOT/build}"
mkdir -p "$BUILD"

"$ROOT/scripts/install-packages.sh" || { echo "package installation failed"; exit 1; }
# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
trap wine_env_cleanup EXIT
trap 'exit 130' INT TERM

varolin_build || { echo "build failed"; exit 1; }

xvfb_start
wine_prefix_setup
wine_set_dpi  # 96, whatever an interrupted run left

passed=0
failed=0
failures=()

# A GoogleTest binary: its own counts go into the totals; a crash counts as one failure.
run_gtest() {
  local name="$1"; shift
  local log="$BUILD/$name.log"
  echo "=== $name"
  "$@" >"$log" 2>&1
  local rc=$?
  grep -E '^\[  (FAILED|PASSED)  \]' "$log" | grep -v ', listed below' || true
  local p f
  p=$(grep -oE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' || true)
  f=$(grep -oE '^\[  FAILED  \] [0-9]+ tests?, listed below' "$log" | grep -oE '[0-9]+' | head -1 || true)
  passed=$((passed + ${p:-0}))
  if [ -n "$f" ]; then
    failed=$((failed + f)); failures+=("$name"); grep -E '^\[  FAILED  \] [A-Za-z]' "$log" | sort -u
    grep -B2 -A8 -E 'Failure$' "$log" | head -60
  elif [ $rc -ne 0 ] || [ -z "$p" ]; then
    failed=$((failed + 1)); failures+=("$name (exit $rc)"); tail -30 "$log"
  fi
}

# A script: one test, passing when it exits 0.
run_script() {
  local name="$1"; shift
  local log="$BUILD/$name.log"
  echo "=== $name"
  if "$@" >"$log" 2>&1; then
    passed=$((passed + 1)); tail -3 "$log"
  else
    failed=$((failed + 1)); failures+=("$name"); tail -30 "$log"
  fi
}

# Includes point only down the layer order.
run_script layers bash "$ROOT/scripts/check-layers.sh"

# Every tier has a time limit, so a hung window test fails the run instead of stalling it.
run_gtest native-unit timeout 600 "$BUILD/native/unit_tests"
run_gtest wine-unit timeout 600 wine "$BUILD/win/unit_tests.exe"
run_gtest wine-integration timeout 1200 wine "$BUILD/win/win_tests.exe"
# The tests about DPI once more on a 144-DPI screen, where the bar must draw at 1.5 times.
wine_set_dpi 144
run_gtest wine-integration-144dpi timeout 600 wine "$BUILD/win/win_tests.exe" --gtest_filter='*Dpi*'
wine_set_dpi
wineserver -k >/dev/null 2>&1 || true
# The language tests again under a US English locale, where a text loaded past the program's own
# choice of language would come out in English; with nothing stored the program speaks English.
LANG=C.UTF-8 LC_ALL=C.UTF-8 VAROLIN_TEST_SYSTEM_LANGUAGE=0409 \
  run_gtest wine-integration-english timeout 300 wine "$BUILD/win/win_tests.exe" --gtest_filter='*Language*'
wineserver -k >/dev/null 2>&1 || true

# The readers of outside bytes, fuzzed briefly each: a minute in all.
if [ -x "$ROOT/tests/fuzz/run.sh" ]; then
  run_script fuzz-group-file "$ROOT/tests/fuzz/run.sh" "$BUILD/fuzz" 30 group-file
  run_script fuzz-drop-list "$ROOT/tests/fuzz/run.sh" "$BUILD/fuzz" 15 drop-list
  run_script fuzz-settings-records "$ROOT/tests/fuzz/run.sh" "$BUILD/fuzz" 15 settings-records
fi

for t in "$ROOT"/tests/e2e/*.sh; do
  [ -e "$t" ] || continue
  run_script "e2e-$(basename "$t" .sh)" timeout 600 bash "$t" "$BUILD"
  wineserver -k >/dev/null 2>&1 || true
done

# A second compiler: clang and lld build the exe and the tests without a warning, and they pass
# under Wine: the unit tests, the Wine tests that open each common dialog (loaded at run time,
# where a linker's difference shows only when the call is made) and a real drag onto its bar.
# Its compile database is what clang-tidy reads.
clang_build() {
  cmake -S "$ROOT" -B "$BUILD/clang" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/clang-mingw-w64-x86_64.cmake" >/dev/null || return 1
  local log="$BUILD/clang-compile.log"
  cmake --build "$BUILD/clang" --target Varolin unit_tests win_tests >"$log" 2>&1 || { tail -40 "$log"; return 1; }
  if grep -E 'warning:' "$log"; then return 1; fi
  echo "clang build: no warnings"
}
run_script clang-build clang_build
run_gtest clang-wine-unit timeout 600 wine "$BUILD/clang/unit_tests.exe"
run_gtest clang-wine-dialogs timeout 600 wine "$BUILD/clang/win_tests.exe" \
  --gtest_filter='ButtonDrop.Text*:ButtonDrop.TheChosenNoteFile*:ButtonPropertySheet.Browsing*:ButtonPropertySheet.PureColours*'
wineserver -k >/dev/null 2>&1 || true
for t in button-drop language; do
  VAROLIN_E2E_EXE="$BUILD/clang/Varolin.exe" run_script "clang-e2e-$t" timeout 600 bash "$ROOT/tests/e2e/$t.sh" "$BUILD"
  wineserver -k >/dev/null 2>&1 || true
done
# Static analysis over every source of src/ (the checks: .clang-tidy).
run_script clang-tidy run-clang-tidy -p "$BUILD/clang" -j 2 -quiet "$ROOT/src/.*\.cpp\$"

# The benchmark programs, once and briefly, so they keep working (bench/run.sh measures).
run_script bench-smoke timeout 120 bash "$ROOT/bench/smoke.sh" "$BUILD"
wineserver -k >/dev/null 2>&1 || true

echo
if [ ${#failures[@]} -gt 0 ]; then echo "failed: ${failures[*]}"; fi
# The share of the code that is tests (tracked files), which is kept at a third or less.
code_lines() {
  git -C "$ROOT" ls-files -- "$@" | grep -E '\.(cpp|h|rc|sh|py|cmake)$|(^|/)CMakeLists\.txt$' |
    (cd "$ROOT" && xargs -r cat) | wc -l
}
if git -C "$ROOT" rev-parse >/dev/null 2>&1; then
  test_lines=$(code_lines tests); all_lines=$(code_lines .)
  echo "tests: $test_lines of $all_lines code lines ($((100 * test_lines / all_lines))%)"
fi
echo "summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
