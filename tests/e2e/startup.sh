#!/usr/bin/env bash
# The real program under Wine: it starts and shows its bar, a second start says that it is
# already running and ends while the first copy keeps running, the first copy ends cleanly
# when closed, and a new copy can start at once.
# $1: the build folder. test.sh has set up Wine and the display.
set -uo pipefail
BUILD="$1"
EXE="$BUILD/win/Varolin.exe"
TOOLS="$BUILD/win/e2e"
BAR=(--class '#32770' --caption Varolin --child 1009)  # the bar: its page label is control 1009

started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Waits at most $2 seconds for process $1 to end; its exit code is then the result.
wait_exit() {
  local pid=$1 tenths=$(( $2 * 10 ))
  for _ in $(seq "$tenths"); do
    if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; return $?; fi
    sleep 0.1
  done
  return 124
}

start() { wine "$EXE" & started+=($!); }

start
first=$!
wine "$TOOLS/findwindow.exe" "${BAR[@]}" >/dev/null || fail "the bar window captioned Varolin did not appear"
echo "first copy shows its bar"

start
second=$!
text=$(wine "$TOOLS/answerbox.exe" --caption Varolin) || fail "the second copy showed no message box"
[ "$text" = "既に起動されています" ] || fail "the second copy said '$text'"
wait_exit "$second" 30; rc=$?
[ "$rc" -eq 0 ] || fail "the second copy did not end cleanly (exit $rc)"
kill -0 "$first" 2>/dev/null || fail "the first copy ended with the second"
wine "$TOOLS/findwindow.exe" "${BAR[@]}" --timeout 5 >/dev/null || fail "the first copy's bar is gone"
[ "$(wine "$TOOLS/findwindow.exe" --class '#32770' --child 65535 --timeout 1 2>/dev/null)" = "" ] \
  || fail "a message box is still open"
echo "second copy refused with 既に起動されています; first copy still running"

wine "$TOOLS/closewindow.exe" "${BAR[@]}" || fail "could not ask the bar to close"
wait_exit "$first" 30; rc=$?
[ "$rc" -eq 0 ] || fail "the first copy did not end cleanly after closing (exit $rc)"
echo "first copy ended on close"

start
third=$!
wine "$TOOLS/findwindow.exe" "${BAR[@]}" >/dev/null || fail "a new copy did not start after the first ended"
kill -0 "$third" 2>/dev/null || fail "the new copy ended by itself"
wine "$TOOLS/closewindow.exe" "${BAR[@]}" --wm-close || fail "could not close the new copy"
wait_exit "$third" 30; rc=$?
[ "$rc" -eq 0 ] || fail "the new copy did not end cleanly (exit $rc)"
echo "a new copy started at once and ended on WM_CLOSE"
echo "startup: all checks passed"
