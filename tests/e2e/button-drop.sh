#!/usr/bin/env bash
# A real drag from another program onto a folder button of the running bar: the files land
# in the button's folder, the sources stay (a plain drop copies), and the button's face
# changes with its file count.
# $1: the build folder. test.sh has set up Wine and the display.
set -uo pipefail
BUILD="$1"
EXE="$BUILD/win/Varolin.exe"
TOOLS="$BUILD/win/e2e"
BAR=(--class '#32770' --caption Varolin --child 1009)  # the bar: its page label is control 1009
WORK_UNIX="$WINEPREFIX/drive_c/varolin-e2e-drop"
WORK='C:\varolin-e2e-drop'
KEY='HKCU\Software\Ovelia\Varolin'
SAVED="$(mktemp -d)"

started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  rm -f "$BUILD"/win/GRP*.VRL
  cp "$SAVED"/GRP*.VRL "$BUILD/win/" 2>/dev/null
  rm -rf "$SAVED" "$WORK_UNIX"
  wine reg delete "$KEY\\Option" /v DisplayCount /f >/dev/null 2>&1
  wine reg delete "$KEY\\Option" /v DaysNew /f >/dev/null 2>&1
  wine reg delete "$KEY\\Common" /v CopyMove /f >/dev/null 2>&1
  wine reg delete "$KEY\\Common" /v SelGroup /f >/dev/null 2>&1
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

wait_exit() {
  local pid=$1 tenths=$(( $2 * 10 ))
  for _ in $(seq "$tenths"); do
    if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; return $?; fi
    sleep 0.1
  done
  return 124
}

# Counts shown, no NEW badge (so only the count can change the face), plain drops copy.
wine reg add "$KEY\\Option" /v DisplayCount /t REG_DWORD /d 1 /f >/dev/null || fail "registry"
wine reg add "$KEY\\Option" /v DaysNew /t REG_DWORD /d 0 /f >/dev/null || fail "registry"
wine reg add "$KEY\\Common" /v CopyMove /t REG_DWORD /d 0 /f >/dev/null || fail "registry"
wine reg add "$KEY\\Common" /v SelGroup /t REG_DWORD /d 0 /f >/dev/null || fail "registry"

mkdir -p "$WORK_UNIX/dest" "$WORK_UNIX/src"
printf 'first' > "$WORK_UNIX/src/first.txt"
printf 'second' > "$WORK_UNIX/src/second.txt"

# Page 0 holds one button for C:\varolin-e2e-drop\dest\ titled "Drop": a group file as the
# program writes it (count, new-class tag, schema 1, "CDropBtn", then the six fields).
mv "$BUILD"/win/GRP*.VRL "$SAVED/" 2>/dev/null
folder="$WORK\\dest\\"
{
  printf '\x01\x00\xff\xff\x01\x00\x08\x00CDropBtn'
  printf '\x00'
  printf "\\x$(printf '%02x' ${#folder})%s" "$folder"
  printf '\x04Drop'
  printf '\x00\x00\x00\x00\xff\xff\xff\x00\x00\x00\x00\x00'
} > "$BUILD/win/GRP000.VRL"

wine "$EXE" & started+=($!)
bar_pid=$!
wine "$TOOLS/findwindow.exe" "${BAR[@]}" >/dev/null || fail "the bar did not appear"
sleep 1
before=$(wine "$TOOLS/dragdrop.exe" "${BAR[@]}" --hash) || fail "no folder button on the bar"
echo "bar shows the button"

effect=$(wine "$TOOLS/dragdrop.exe" "${BAR[@]}" "$WORK\\src\\first.txt") || fail "the drag did not run"
[ "$effect" = "copy" ] || fail "the drop reported '$effect', not copy"
[ "$(cat "$WORK_UNIX/dest/first.txt" 2>/dev/null)" = "first" ] || fail "first.txt was not copied into the folder"
[ -f "$WORK_UNIX/src/first.txt" ] || fail "the source of a copy is gone"
sleep 1
one=$(wine "$TOOLS/dragdrop.exe" "${BAR[@]}" --hash)
[ "$one" != "$before" ] || fail "the button's face did not change after the first file"
echo "a drag from another program copied first.txt and the face changed"

effect=$(wine "$TOOLS/dragdrop.exe" "${BAR[@]}" "$WORK\\src\\second.txt") || fail "the second drag did not run"
[ "$effect" = "copy" ] || fail "the second drop reported '$effect'"
[ -f "$WORK_UNIX/dest/second.txt" ] || fail "second.txt was not copied"
sleep 1
two=$(wine "$TOOLS/dragdrop.exe" "${BAR[@]}" --hash)
[ "$two" != "$one" ] && [ "$two" != "$before" ] || fail "the face did not change with the second file"
echo "the count changed again with the second file"

[ "$(wine "$TOOLS/findwindow.exe" --class '#32770' --child 65535 --timeout 1 2>/dev/null)" = "" ] \
  || fail "a message box came up"
wine "$TOOLS/closewindow.exe" "${BAR[@]}" || fail "could not close the bar"
wait_exit "$bar_pid" 30; rc=$?
[ "$rc" -eq 0 ] || fail "the bar did not end cleanly (exit $rc)"
echo "button-drop: all checks passed"
