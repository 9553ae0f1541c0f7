#!/usr/bin/env bash
# The real program under Wine: it starts and shows its bar, ends cleanly when closed, and a new
# copy can start at once (a second start while one runs: language.sh).
source "$(dirname "$0")/lib/common.sh"

start_bar
window find "${BAR[@]}" >/dev/null || fail "the bar window captioned Varolin did not appear"
echo "first copy shows its bar"

stop_bar
echo "first copy ended on close"

start_bar
window find "${BAR[@]}" >/dev/null || fail "a new copy did not start after the first ended"
kill -0 "$BAR_PID" 2>/dev/null || fail "the new copy ended by itself"
stop_bar --wm-close
echo "a new copy started at once and ended on WM_CLOSE"
echo "startup: all checks passed"
