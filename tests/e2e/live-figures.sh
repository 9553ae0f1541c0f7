#!/usr/bin/env bash
# The real program: a folder button's count follows its folder by itself (a file made and then
# deleted there by another program changes the face, without Refresh), and the common dialogs
# are not among the libraries loaded at start.
source "$(dirname "$0")/lib/common.sh"
WORK_UNIX="$WINEPREFIX/drive_c/varolin-e2e-live"
WORK='C:\varolin-e2e-live'
on_exit() { rm -rf "$WORK_UNIX"; wine reg delete "$KEY" /f >/dev/null 2>&1; }

if x86_64-w64-mingw32-objdump -p "$EXE" | grep -qi 'DLL Name: comdlg32'; then fail "comdlg32.dll is loaded at start"; fi
echo "the common dialogs load on first use"

# Counts shown, no NEW badge: only the count changes the face.
set_settings "Option DisplayCount 1" "Option DaysNew 0" "Common SelGroup 0"
mkdir -p "$WORK_UNIX/watched"
cp "$EXE" "$WORK_UNIX/"
folder="$WORK\\watched\\"
printf "\x01\x00\xff\xff\x01\x00\x08\x00CDropBtn\x00\x$(printf %02x ${#folder})%s\x04Live\x00\x00\x00\x00\xff\xff\xff\x00\x00\x00\x00\x00" \
  "$folder" > "$WORK_UNIX/GRP000.VRL"

face() { import -window root -crop "$place" rgb:- | md5sum; }
# Waits up to 10 s for the face to differ from $1.
changed_from() { for _ in $(seq 50); do [ "$(face)" != "$1" ] && return 0; sleep 0.2; done; return 1; }

start_bar "$WORK_UNIX/Varolin.exe"
window find "${BAR[@]}" >/dev/null || fail "the bar did not appear"
place=$(window rect "${BAR[@]}") || fail "no folder button on the bar"
sleep 2  # the first scan's figures, painted
empty=$(face)
printf 'x' > "$WORK_UNIX/watched/made elsewhere.txt"
changed_from "$empty" || fail "the face did not change when a file was made in the folder"
echo "a file made by another program changed the count"
rm "$WORK_UNIX/watched/made elsewhere.txt"
for _ in $(seq 50); do [ "$(face)" = "$empty" ] && break; sleep 0.2; done
[ "$(face)" = "$empty" ] || fail "the face did not return when the file was deleted"
echo "deleting it brought the count back"

no_message_box
stop_bar
echo "live-figures: all checks passed"
