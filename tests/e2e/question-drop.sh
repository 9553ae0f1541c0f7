#!/usr/bin/env bash
# A real drag from another program onto a button whose folder already holds the file's name
# ("RenameConfirm" 1): the drag returns to its source while the same-name dialog is still
# unanswered (nobody answers it before), and the answer given later still renames, overwrites
# or stops as chosen.
source "$(dirname "$0")/lib/common.sh"
WORK_UNIX="$WINEPREFIX/drive_c/varolin-e2e-question"
WORK='C:\varolin-e2e-question'
SAME_NAME=(--class '#32770' --child 1033)  # the same-name dialog: its "rename to" label
on_exit() { rm -rf "$WORK_UNIX"; wine reg delete "$KEY" /f >/dev/null 2>&1; }

set_settings "Option RenameConfirm 1" "Option RenameFormat 0" "Common CopyMove 0" "Common SelGroup 0"

mkdir -p "$WORK_UNIX/dest" "$WORK_UNIX/src"
cp "$EXE" "$WORK_UNIX/"
for name in renamed overwritten stopped; do
  printf 'new' > "$WORK_UNIX/src/$name.txt"
  printf 'old' > "$WORK_UNIX/dest/$name.txt"
done

folder="$WORK\\dest\\"
printf "\x01\x00\xff\xff\x01\x00\x08\x00CDropBtn\x00\x$(printf %02x ${#folder})%s\x04Drop\x00\x00\x00\x00\xff\xff\xff\x00\x00\x00\x00\x00" \
  "$folder" > "$WORK_UNIX/GRP000.VRL"

start_bar "$WORK_UNIX/Varolin.exe"
window find "${BAR[@]}" >/dev/null || fail "the bar did not appear"
sleep 1

# $1: the file, $2: the same-name dialog's button to press (1 rename, 1028 overwrite, 2 stop).
drop_and_answer() {
  local out
  # Were the question still asked inside the drop, the drag would wait here for an answer
  # that nobody gives, and the time limit would end it.
  out=$(timeout 60 wine "$TOOLS/window.exe" drag "${BAR[@]}" "$WORK\\src\\$1.txt" --time) ||
    fail "the drag of $1.txt did not return while its question was unanswered"
  [ "${out%% *}" = "copy" ] || fail "the drop of $1.txt reported '$out'"
  window find "${SAME_NAME[@]}" --timeout 20 >/dev/null || fail "no same-name dialog for $1.txt"
  echo "the drag of $1.txt returned after ${out#* } ms, its same-name dialog open and unanswered"
  window close "${SAME_NAME[@]}" --command "$2" || fail "could not answer the dialog for $1.txt"
  for _ in $(seq 100); do
    ! window find "${SAME_NAME[@]}" --timeout 0 >/dev/null 2>&1 && break
    sleep 0.1
  done
}
holds() { [ "$(cat "$WORK_UNIX/dest/$1" 2>/dev/null)" = "$2" ]; }

drop_and_answer renamed 1
eventually 20 holds renamed_0000.txt new || fail "rename did not copy beside the old file"
[ "$(cat "$WORK_UNIX/dest/renamed.txt")" = "old" ] || fail "rename touched the old file"
echo "rename copied beside the old file"

drop_and_answer overwritten 1028
eventually 20 holds overwritten.txt new || fail "overwrite did not replace the old file"
echo "overwrite replaced the old file"

drop_and_answer stopped 2
sleep 1  # a stopped copy leaves nothing to wait for: give a wrong one the time to show
[ "$(cat "$WORK_UNIX/dest/stopped.txt")" = "old" ] || fail "stop changed the old file"
[ "$(ls "$WORK_UNIX/dest" | wc -l)" -eq 4 ] || fail "stop left something behind: $(ls "$WORK_UNIX/dest")"
echo "stop left the old file alone"

no_message_box
stop_bar
echo "question-drop: all checks passed"
