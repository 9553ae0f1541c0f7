#!/usr/bin/env bash
# Runs every benchmark under the same Wine set-up as the tests and prints one line per figure,
# "name: value unit (ratio x)", each ratio against a baseline measured in the same run, then a
# summary table with the targets. Slow (several minutes, a few GB of scratch files under the
# build folder): not part of test.sh.
# VAROLIN_BUILD chooses the build folder (default build/); BENCH_RUNS the repetitions of each
# measurement (default 5; the median is reported), BENCH_STARTUP_RUNS those of the start-ups
# (default twice as many: one start is short and noisy); BENCH_ONLY a space-separated subset of
#   codec group scan transfer drop slide startup size
# BENCH_COMPARE_EXE another build of Varolin.exe (an earlier one, say) whose start-ups with the
# same pages are measured in the same run, as before_3x20 and before_99x20.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VAROLIN_BUILD:-$ROOT/build}"
RUNS="${BENCH_RUNS:-5}"
STARTUP_RUNS="${BENCH_STARTUP_RUNS:-$((RUNS * 2))}"
ONLY="${BENCH_ONLY:-codec group scan transfer drop slide startup size}"
mkdir -p "$BUILD"

"$ROOT/scripts/install-packages.sh" || { echo "package installation failed"; exit 1; }
# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
trap wine_env_cleanup EXIT
trap 'exit 130' INT TERM
varolin_build >"$BUILD/bench-build.log" 2>&1 || { tail -30 "$BUILD/bench-build.log"; echo "build failed"; exit 1; }

DATA="$BUILD/bench-data"      # fixtures, made once and kept
SCRATCH="$BUILD/bench-scratch"  # targets of the copies, emptied before each run
RESULTS="$BUILD/bench-results.txt"
BIN="$BUILD/win/bench"
rm -rf "$SCRATCH"
mkdir -p "$DATA" "$SCRATCH"
: >"$RESULTS"

# Wine's drive Z: is the Unix root.
winpath_of() { local p; p="$(readlink -f "$1")"; printf 'Z:%s' "${p//\//\\}"; }
wants() { [[ " $ONLY " == *" $1 "* ]]; }
# Runs one benchmark step; its figure lines go to the screen and into the results.
step() {
  local name="$1"; shift
  echo "=== $name" >&2
  local out rc
  out=$("$@" 2>"$BUILD/bench-$name.err"); rc=$?
  printf '%s\n' "$out" | grep -E '^[A-Za-z0-9_.]+: ' | tee -a "$RESULTS"
  if [ $rc -ne 0 ]; then echo "FAILED: $name (exit $rc)"; tail -5 "$BUILD/bench-$name.err"; return 1; fi
}

# --- fixtures -------------------------------------------------------------------------------
make_fixtures() {
  # 99 pages x 20 button folders of 100 files each, written today.
  if [ ! -f "$DATA/folders/.ready" ]; then
    echo "making 1,980 button folders of 100 files..." >&2
    rm -rf "$DATA/folders"
    for p in $(seq -w 0 98); do
      for b in $(seq -w 0 19); do
        local d="$DATA/folders/p$p/b$b"
        mkdir -p "$d"
        (cd "$d" && touch $(printf 'photo_%03d.jpg ' $(seq 1 100)))
      done
    done
    touch "$DATA/folders/.ready"
  fi
  # One folder of 100,000 files, all dated years ago (so a scan looks at every file's times).
  if [ ! -f "$DATA/scan/.ready" ]; then
    echo "making a folder of 100,000 files..." >&2
    rm -rf "$DATA/scan"; mkdir -p "$DATA/scan/files"
    (cd "$DATA/scan/files" && seq -f 'document-%06g.txt' 1 100000 | xargs touch -d '2020-01-01 12:00')
    touch "$DATA/scan/.ready"
  fi
  # 1,000 files of 4 KB and one of 256 MB.
  if [ ! -f "$DATA/transfer/.ready" ]; then
    echo "making the transfer sources..." >&2
    rm -rf "$DATA/transfer"; mkdir -p "$DATA/transfer/small" "$DATA/transfer/large"
    head -c $((4096 * 1000)) /dev/urandom | split -b 4096 -d -a 4 - "$DATA/transfer/small/report_"
    head -c $((256 * 1024 * 1024)) /dev/urandom >"$DATA/transfer/large/archive.bin"
    touch "$DATA/transfer/.ready"
  fi
  # The file dropped on the running bar: 1 GB (sparse; its copy is written in full).
  if [ ! -f "$DATA/drop/big.bin" ]; then
    mkdir -p "$DATA/drop"
    truncate -s 1G "$DATA/drop/big.bin"
  fi
  # The small file dropped twice, the second time where its name is taken.
  [ -f "$DATA/drop/note.txt" ] || printf 'note\n' >"$DATA/drop/note.txt"
}

# The program and the baselines each in a folder of their own, as a user installs them; the
# bar finds its group files beside itself.
make_installs() {
  local pages
  for pages in 3 99; do
    local dir="$DATA/bar$pages"
    rm -rf "$dir"; mkdir -p "$dir"
    cp "$BUILD/win/Varolin.exe" "$dir/"
    wine "$BIN/bench_win.exe" pages "$(winpath_of "$dir")" "$pages" 20 "$(winpath_of "$DATA/folders")" || return 1
  done
  # The bar that takes the dropped file, its one button on a scratch folder.
  rm -rf "$DATA/bardrop"; mkdir -p "$DATA/bardrop"
  cp "$BUILD/win/Varolin.exe" "$DATA/bardrop/"
  # The bar alone: one page without buttons, to tell its fixed cost from the buttons'.
  rm -rf "$DATA/bar0"; mkdir -p "$DATA/bar0"
  cp "$BUILD/win/Varolin.exe" "$DATA/bar0/"
  rm -rf "$DATA/dialog" "$DATA/libraries"; mkdir -p "$DATA/dialog" "$DATA/libraries"
  cp "$BIN/BaselineDialog.exe" "$DATA/dialog/"
  cp "$BIN/BaselineLibraries.exe" "$DATA/libraries/"
}

# Resident anonymous memory (MB) of the Wine process whose command line holds $1: what Linux
# counts as the process's private memory.
proc_private_mb() {
  local pid
  for pid in $(pgrep -u "$(id -u)" -f 'Varolin\.exe|Baseline(Dialog|Libraries)\.exe' || true); do
    # The program itself: its first argument is its path (the launcher's arguments hold it too).
    [ "$(head -z -n1 "/proc/$pid/cmdline" 2>/dev/null | tr -d '\0')" = "$1" ] || continue
    awk '/^RssAnon:/ {printf "%.3f\n", $2 / 1024}' "/proc/$pid/status"
    return 0
  done
  return 1
}

# The other build's installs: the same pages beside it.
make_compare_installs() {
  local pages
  for pages in 3 99; do
    rm -rf "$DATA/before$pages"; mkdir -p "$DATA/before$pages"
    cp "$BENCH_COMPARE_EXE" "$DATA/before$pages/Varolin.exe" && cp "$DATA/bar$pages"/GRP*.VRL "$DATA/before$pages/" || return 1
  done
}

# The start-up cases, taking turns. On the last run each held case waits while its memory is
# read here.
startup_bench() {
  local hold="$SCRATCH/hold" dialog libraries bar0 bar3 bar99
  dialog="$(winpath_of "$DATA/dialog")\\BaselineDialog.exe"
  libraries="$(winpath_of "$DATA/libraries")\\BaselineLibraries.exe"
  bar0="$(winpath_of "$DATA/bar0")\\Varolin.exe"
  bar3="$(winpath_of "$DATA/bar3")\\Varolin.exe"
  bar99="$(winpath_of "$DATA/bar99")\\Varolin.exe"
  rm -f "$hold".* "$SCRATCH/proc-memory"
  # The shown page's figures show as NEW badges: a file of today in each folder of its buttons,
  # but the first, whose badge the watch's latency makes and takes away.
  touch "$DATA"/folders/p00/b*/photo_001.jpg
  touch -d '2020-01-01 12:00' "$DATA"/folders/p00/b00/*
  wine "$BIN/bench_startup.exe" "$STARTUP_RUNS" "$(winpath_of "$SCRATCH")\\hold" \
    "dialog|$dialog|0|2|1" "dialog_libraries|$libraries|0|2|1" "bar_1x0|$bar0|1|32773|1" \
    "bar_3x20|$bar3|3|32773|1|$(winpath_of "$DATA/folders/p00/b00")" "bar_99x20|$bar99|99|32773|0" \
    ${BENCH_COMPARE_EXE:+"before_3x20|$(winpath_of "$DATA/before3")\\Varolin.exe|3|32773|1"} \
    ${BENCH_COMPARE_EXE:+"before_99x20|$(winpath_of "$DATA/before99")\\Varolin.exe|99|32773|0"} &
  local launcher=$! name exe mb base="" libraries_mb=""
  for name in dialog dialog_libraries bar_1x0 bar_3x20 ${BENCH_COMPARE_EXE:+before_3x20}; do
    case $name in
      dialog) exe="$dialog" ;;
      dialog_libraries) exe="$libraries" ;;
      bar_1x0) exe="$bar0" ;;
      bar_3x20) exe="$bar3" ;;
      before_3x20) exe="$(winpath_of "$DATA/before3")\\Varolin.exe" ;;
    esac
    while [ ! -f "$hold.$name.ready" ] && kill -0 "$launcher" 2>/dev/null; do sleep 0.1; done
    [ -f "$hold.$name.ready" ] || break
    mb=$(proc_private_mb "$exe" || echo "")
    touch "$hold.$name.done"
    [ -n "$mb" ] || continue
    if [ -z "$base" ]; then
      base=$mb
      echo "memory.rss_anon.$name: $mb MB" >>"$SCRATCH/proc-memory"
    else
      echo "memory.rss_anon.$name: $mb MB ($(awk -v a="$mb" -v b="$base" 'BEGIN {printf "%.3f", a / b}') x)" >>"$SCRATCH/proc-memory"
    fi
    [ "$name" = dialog_libraries ] && libraries_mb=$mb
    if [ "$name" = bar_3x20 ] || [ "$name" = before_3x20 ]; then
      echo "memory.rss_anon.${name}_minus_dialog: $(awk -v a="$mb" -v b="$base" 'BEGIN {printf "%.3f", a - b}') MB" >>"$SCRATCH/proc-memory"
      [ -n "$libraries_mb" ] && echo "memory.rss_anon.${name}_vs_dialog_libraries: $mb MB ($(awk -v a="$mb" -v b="$libraries_mb" 'BEGIN {printf "%.3f", a / b}') x)" >>"$SCRATCH/proc-memory"
    fi
  done
  wait "$launcher"
}

# --- benchmarks -----------------------------------------------------------------------------
xvfb_start
wine_prefix_setup
make_fixtures
make_installs || { echo "making the installs failed"; exit 1; }
if [ -n "${BENCH_COMPARE_EXE:-}" ]; then make_compare_installs || { echo "cannot install $BENCH_COMPARE_EXE"; exit 1; }; fi
failed=0

if wants codec; then
  mkdir -p "$SCRATCH/codec"
  step codec "$BUILD/native/bench/bench_codec" "$RUNS" "$SCRATCH/codec" || failed=1
fi
if wants group; then
  mkdir -p "$SCRATCH/group"
  step group wine "$BIN/bench_win.exe" group "$RUNS" "$(winpath_of "$SCRATCH/group")" || failed=1
fi
if wants scan; then
  step scan wine "$BIN/bench_win.exe" scan "$RUNS" "$(winpath_of "$DATA/scan/files")" || failed=1
fi
if wants transfer; then
  mkdir -p "$SCRATCH/transfer"
  step transfer wine "$BIN/bench_win.exe" transfer "$RUNS" "$(winpath_of "$DATA/transfer")" \
    "$(winpath_of "$SCRATCH/transfer")" || failed=1
  rm -rf "$SCRATCH/transfer"
fi
if wants drop; then
  rm -rf "$SCRATCH/drop"; mkdir -p "$SCRATCH/drop"
  step drop wine "$BIN/bench_win.exe" drop "$RUNS" "$(winpath_of "$DATA/bardrop")" \
    "$(winpath_of "$DATA/drop/big.bin")" "$(winpath_of "$SCRATCH/drop")" || failed=1
  rm -rf "$SCRATCH/drop"; mkdir -p "$SCRATCH/drop"
  step drop-question wine "$BIN/bench_win.exe" drop-question "$RUNS" "$(winpath_of "$DATA/bardrop")" \
    "$(winpath_of "$DATA/drop/note.txt")" "$(winpath_of "$SCRATCH/drop")" || failed=1
  rm -rf "$SCRATCH/drop"
fi
if wants slide; then
  step slide wine "$BIN/bench_win.exe" slide "$RUNS" "$(winpath_of "$DATA/bar3")" || failed=1
fi
if wants startup; then
  step startup startup_bench || failed=1
  [ -f "$SCRATCH/proc-memory" ] && tee -a "$RESULTS" <"$SCRATCH/proc-memory"
fi
if wants size; then
  bytes=$(stat -c %s "$BUILD/win/Varolin.exe")
  echo "size.Varolin.exe: $(awk -v b="$bytes" 'BEGIN {printf "%.3f", b / 1048576}') MB" | tee -a "$RESULTS"
  # What the same program weighs without the symbols and debug sections the build keeps.
  if x86_64-w64-mingw32-strip -o "$SCRATCH/Varolin-stripped.exe" "$BUILD/win/Varolin.exe"; then
    bytes=$(stat -c %s "$SCRATCH/Varolin-stripped.exe")
    echo "size.Varolin.exe_stripped: $(awk -v b="$bytes" 'BEGIN {printf "%.3f", b / 1048576}') MB" | tee -a "$RESULTS"
  fi
fi
wineserver -k >/dev/null 2>&1 || true

# --- summary --------------------------------------------------------------------------------
# name  target  (a figure compared with the target's operator; "ratio" uses the ratio)
TARGETS='
startup.bar_3x20_vs_dialog_libraries ratio <= 1.4
startup.bar_99x20_vs_bar_3x20 ratio <= 1.1
watch.latency.bar_3x20 value <= 1000
memory.rss_anon.bar_3x20_vs_dialog_libraries ratio <= 1.4
scan.ScanFolder_100000_old ratio <= 1.1
scan.ScanFolder_100000_new ratio <= 1.1
transfer.small_1000x4KB.TransferFile ratio <= 1.05
transfer.large_256MB.TransferFile ratio <= 1.05
drop.source_waits_after_release value <= 50
drop.longest_answer_during_copy value <= 50
drop.question_extra_wait value <= 50
slide.frames_per_slide value >= 24
memory.rss_anon.bar_3x20 value <= 4
memory.rss_anon.bar_3x20_minus_dialog value <= 4
size.Varolin.exe value <= 1.5
'
echo
echo "summary ($(date +%F), medians of $RUNS runs, start-ups of $STARTUP_RUNS)"
awk -v targets="$TARGETS" '
  BEGIN {
    n = split(targets, lines, "\n")
    for (i = 1; i <= n; i++) if (split(lines[i], f, " ") == 4) { kind[f[1]] = f[2]; op[f[1]] = f[3]; lim[f[1]] = f[4] }
    printf "%-46s %12s %-7s %8s  %s\n", "figure", "value", "unit", "ratio", "target"
  }
  {
    name = $1; sub(/:$/, "", name); value = $2; unit = $3; ratio = ""
    if (match($0, /\(([0-9.]+) x\)/)) { ratio = substr($0, RSTART + 1, RLENGTH - 4) }
    verdict = ""
    if (name in kind) {
      x = kind[name] == "ratio" ? ratio : value
      ok = op[name] == "<=" ? (x + 0 <= lim[name] + 0) : (x + 0 >= lim[name] + 0)
      verdict = (kind[name] == "ratio" ? "ratio " : "") op[name] " " lim[name] (ok ? "  met" : "  MISSED")
    }
    printf "%-46s %12s %-7s %8s  %s\n", name, value, unit, ratio == "" ? "" : ratio " x", verdict
  }' "$RESULTS"
[ "$failed" -eq 0 ]
