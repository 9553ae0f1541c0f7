#!/usr/bin/env bash
# A real drag from another program onto a folder button of the running bar: the files land
# in the button's folder, the sources stay (a plain drop copies), and the button's face
# changes with its file count; a dragged text goes into the file chosen in Save As.
source "$(dirname "$0")/lib/common.sh"
WORK_UNIX="$WINEPREFIX/drive_c/varolin-e2e-drop"
WORK='C:\varolin-e2e-drop'
on_exit() { rm -rf "$WORK_UNIX"; wine reg delete "$KEY" /f >/dev/null 2>&1; }

# Counts shown, no NEW badge (so only the count can change the face), plain drops copy.
set_settings "Option DisplayCount 1" "Option DaysNew 0" "Common CopyMove 0" "Common SelGroup 0"

mkdir -p "$WORK_UNIX/dest" "$WORK_UNIX/src"
cp "$EXE" "$WORK_UNIX/Varolin.exe"
printf 'first' > "$WORK_UNIX/src/first.txt"
printf 'second' > "$WORK_UNIX/src/second.txt"

# Page 0 holds one button for C:\varolin-e2e-drop\dest\ titled "Drop": a group file as the
# program writes it (count, new-class tag, schema 1, "CDropBtn", then the six fields).
folder="$WORK\\dest\\"
printf "\x01\x00\xff\xff\x01\x00\x08\x00CDropBtn\x00\x$(printf %02x ${#folder})%s\x04Drop\x00\x00\x00\x00\xff\xff\xff\x00\x00\x00\x00\x00" \
  "$folder" > "$WORK_UNIX/GRP000.VRL"

# A hash of the button's face as the screen shows it.
face() { import -window root -crop "$place" rgb:- | md5sum; }

start_bar "$WORK_UNIX/Varolin.exe"
window find "${BAR[@]}" >/dev/null || fail "the bar did not appear"
sleep 1
place=$(window rect "${BAR[@]}") || fail "no folder button on the bar"
faces=("$(face)")
echo "bar shows the button"

# A screen reader in another process finds the label's meaning and the button at its face.
readers=$(window readers "${BAR[@]}") || fail "no accessible objects on the bar"
[ "$(sed -n 1p <<<"$readers")" = "ページ 1 / 3、ドロップでコピー" ] || fail "the label reads '$(sed -n 1p <<<"$readers")'"
found=$(sed -n 2p <<<"$readers" | awk -F'\t' '{ print $1 "|" $3 "|" $4 }')
[ "$found" = "Drop|$place|開く" ] || fail "a reader finds '$found', not Drop|$place|開く"
[ "$(wc -l <<<"$readers")" -eq 2 ] || fail "a reader finds other buttons: $readers"
echo "a screen reader finds the label and the button"

for name in first second; do
  effect=$(window drag "${BAR[@]}" "$WORK\\src\\$name.txt") || fail "the drag of $name.txt did not run"
  [ "$effect" = "copy" ] || fail "the drop of $name.txt reported '$effect', not copy"
  copied() { [ "$(cat "$WORK_UNIX/dest/$name.txt" 2>/dev/null)" = "$name" ]; }
  eventually 20 copied || fail "$name.txt was not copied into the folder"
  [ -f "$WORK_UNIX/src/$name.txt" ] || fail "the source of a copy is gone"
  new_face() {
    face=$(face)
    for earlier in "${faces[@]}"; do [ "$face" != "$earlier" ] || return 1; done
  }
  eventually 20 new_face || fail "the button's face did not change after $name.txt"
  faces+=("$face")
  echo "a drag from another program copied $name.txt and the face changed"
done

# Text dropped from another program: the button asks where to note it (Save As, inside the
# drop) and appends it to the file chosen there.
window drag "${BAR[@]}" --text "dropped note" > "$WORK_UNIX/effect" &
drag=$!
window save "dropped.txt" || fail "no Save As dialog for the dropped text"
wait "$drag" || fail "the drag of a text did not run"
[ "$(cat "$WORK_UNIX/effect")" = "copy" ] || fail "the drop of a text reported '$(cat "$WORK_UNIX/effect")', not copy"
noted() { grep -q "dropped note" "$WORK_UNIX/dest/dropped.txt" 2>/dev/null; }
eventually 20 noted || fail "the text was not noted in the chosen file"
echo "a text dragged from another program was noted in the file chosen in Save As"

no_message_box
stop_bar
echo "button-drop: all checks passed"
