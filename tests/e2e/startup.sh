#!/usr/bin/env bash
# The real program under Wine: it starts and shows its bar, a second start says that it is
# already running and ends while the first copy keeps running, the first copy ends cleanly
# when closed, and a new copy can start at once.
source "$(dirname "$0")/lib/common.sh"

start_bar
first=$BAR_PID
window find "${BAR[@]}" >/dev/null || fail "the bar window captioned Varolin did not appear"
echo "first copy shows its bar"

start_bar
second=$BAR_PID
text=$(window answer --caption Varolin) || fail "the second copy showed no message box"
[ "$text" = "既に起動されています" ] || fail "the second copy said '$text'"
wait_exit "$second"; rc=$?
[ "$rc" -eq 0 ] || fail "the second copy did not end cleanly (exit $rc)"
kill -0 "$first" 2>/dev/null || fail "the first copy ended with the second"
window find "${BAR[@]}" --timeout 5 >/dev/null || fail "the first copy's bar is gone"
no_message_box
echo "second copy refused with 既に起動されています; first copy still running"

BAR_PID=$first
stop_bar
echo "first copy ended on close"

start_bar
window find "${BAR[@]}" >/dev/null || fail "a new copy did not start after the first ended"
kill -0 "$BAR_PID" 2>/dev/null || fail "the new copy ended by itself"
stop_bar --wm-close
echo "a new copy started at once and ended on WM_CLOSE"
echo "startup: all checks passed"
