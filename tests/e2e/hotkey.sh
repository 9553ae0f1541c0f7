#!/usr/bin/env bash
# The real program's global hotkey: with another program in front, Ctrl+Shift+Y typed on the
# (X server's) keyboard brings the bar to the foreground.
source "$(dirname "$0")/lib/common.sh"

on_exit() { [ -n "${NOTEPAD:-}" ] && kill "$NOTEPAD" 2>/dev/null; }

wine reg delete 'HKCU\Software\Ovelia\Varolin' /f >/dev/null 2>&1
start_bar
window find "${BAR[@]}" >/dev/null || fail "the bar did not appear"

wine notepad &
NOTEPAD=$!
window foreground --class Notepad >/dev/null || fail "notepad did not come to the front"
no_message_box
echo "another program is in front; the chord was free"

xdotool mousemove 600 400 key ctrl+shift+y >/dev/null 2>&1
window foreground "${BAR[@]}" --timeout 10 || fail "Ctrl+Shift+Y did not bring the bar to the front"
echo "Ctrl+Shift+Y brought the bar to the front"

window close --class Notepad --wm-close >/dev/null
stop_bar
echo "hotkey: all checks passed"
