#!/usr/bin/env bash
# The real program speaks English where the system is not Japanese, Japanese where it is, and
# what "Language" forces: as a second start's message (the second copy ends, the first runs on)
# and a screen reader on the bar tell.
source "$(dirname "$0")/lib/common.sh"
WORK_UNIX="$WINEPREFIX/drive_c/varolin-e2e-language"
WORK='C:\varolin-e2e-language'
on_exit() { rm -rf "$WORK_UNIX"; wine reg delete "$KEY" /f >/dev/null 2>&1; }

mkdir -p "$WORK_UNIX/dest"
cp "$EXE" "$WORK_UNIX/Varolin.exe"
# Page 0 holds one button titled "Dest" (the layout of button-drop.sh's page file).
folder="$WORK\\dest\\"
printf "\x01\x00\xff\xff\x01\x00\x08\x00CDropBtn\x00\x$(printf %02x ${#folder})%s\x04Dest\x00\x00\x00\x00\xff\xff\xff\x00\x00\x00\x00\x00" \
  "$folder" > "$WORK_UNIX/GRP000.VRL"

# speaks LOCALE FORCED MESSAGE ACTION: under LOCALE with "Language" FORCED (0: none stored), a
# second copy says MESSAGE and a reader hears ACTION as the button's default action.
speaks() {
  wine reg delete "$KEY" /f >/dev/null 2>&1
  set_settings "Common SelGroup 0"
  [ "$2" = 0 ] || set_settings "Common Language $2"
  LANG=$1 LC_ALL=$1 start_bar "$WORK_UNIX/Varolin.exe"
  local first=$BAR_PID text action
  window find "${BAR[@]}" >/dev/null || fail "$1/$2: the bar did not appear"
  action=$(window readers "${BAR[@]}" | sed -n 2p | awk -F'\t' '{ print $4 }')
  [ "$action" = "$4" ] || fail "$1/$2: a reader hears the button's action as '$action', not '$4'"
  LANG=$1 LC_ALL=$1 start_bar "$WORK_UNIX/Varolin.exe"
  text=$(window answer --caption Varolin) || fail "$1/$2: the second copy showed no message box"
  [ "$text" = "$3" ] || fail "$1/$2: the second copy said '$text', not '$3'"
  wait_exit "$BAR_PID" || fail "$1/$2: the second copy did not end cleanly"
  kill -0 "$first" 2>/dev/null && no_message_box || fail "$1/$2: the first copy ended with the second"
  BAR_PID=$first
  stop_bar
  echo "under $1 with Language $2: '$text', '$action'"
}

speaks ja_JP.UTF-8 0 "既に起動されています" "開く"
speaks C.UTF-8 0 "Varolin is already running." "Open"
speaks ja_JP.UTF-8 0x409 "Varolin is already running." "Open"
speaks C.UTF-8 0x411 "既に起動されています" "開く"
echo "language: all checks passed"
