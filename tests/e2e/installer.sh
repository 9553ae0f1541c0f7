#!/usr/bin/env bash
# The release packages in a throwaway prefix: the zip's contents, the installer's first page in
# Japanese under a Japanese locale and in English under another, a silent per-user install
# with the sign-in option, the installed bar starting, an upgrade by a higher version while the
# bar runs (the bar ends on its own after saving its state; page files and the sign-in choice
# stay), a silent upgrade that cannot close a hung bar giving up with exit code 3 and leaving it
# running, and a silent uninstall that removes the program, shortcut and sign-in entry but keeps
# the page file and settings.
source "$(dirname "$0")/lib/common.sh"
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
WORK="$BUILD/install-test"
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varolin'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/win/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in the build"
next="${version%.*}.$(( ${version##*.} + 1 ))"
rm -rf "$WORK"
"$ROOT/scripts/make-packages.sh" "$BUILD/win" "$WORK/old" >/dev/null || fail "packaging $version"
"$ROOT/scripts/make-packages.sh" "$BUILD/win" "$WORK/new" "$next" >/dev/null || fail "packaging $next"
"$ROOT/scripts/make-packages.sh" "$BUILD/win" "$WORK/hung" 9.9.9 -DCLOSE_WAIT_SECONDS=2 >/dev/null || fail "packaging 9.9.9"
python3 - "$WORK/old/Varolin-$version-x64.zip" "Varolin-$version" <<'PY' || fail "the zip is not as expected"
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
names = {n.rstrip('/') for n in z.namelist()}
for f in ("Varolin.exe", "Varolin.chm", "Varolin.en.chm", "README.txt"):
    assert f"{sys.argv[2]}/{f}" in names, f
text = z.read(f"{sys.argv[2]}/README.txt").decode("utf-8")
assert text.startswith("\ufeff"), "README.txt has no byte order mark"
assert 0 < text.find("\u8868\u793a\u306e\u8a00\u8a9e") < text.find("* What Varolin is"), "README.txt: not Japanese, then English"
PY
echo "zip holds Varolin.exe, both help files and README.txt (UTF-8 with BOM, Japanese then English)"

# A prefix of its own; its menu builder would write into the real home folder. The server stays
# up throughout: a new session would run the sign-in entry by itself.
on_exit() { wineserver -k >/dev/null 2>&1; }
export WINEPREFIX="$WORK/prefix" WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
wine wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p
users=("$WINEPREFIX"/drive_c/users/*/AppData)
APPDATA_UNIX="${users[0]}"
INSTDIR="$APPDATA_UNIX/Local/Programs/Varolin"
SHORTCUT="$APPDATA_UNIX/Roaming/Microsoft/Windows/Start Menu/Programs/Varolin.lnk"
reg_value() {  # key, name: the value's data, or nothing when it is missing
  wine reg query "$1" /v "$2" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# Shown, not silent: the first page's caption tells its language; Cancel ends the setup.
for run in "ja_JP.UTF-8|Varolin $version セットアップ" "C.UTF-8|Varolin $version Setup"; do
  LANG=${run%%|*} LC_ALL=${run%%|*} wine "$WORK/old/Varolin-$version-x64-setup.exe" &
  setup=$!
  window close --class '#32770' --caption "${run#*|}*" --command 2 ||
    fail "under ${run%%|*} no first page titled ${run#*|}"
  wait_exit "$setup" 30; [ $? -ne 124 ] || fail "the setup under ${run%%|*} did not end on Cancel"
done
[ ! -e "$INSTDIR" ] || fail "a canceled setup installed something"
echo "the installer's first page is Japanese under ja_JP.UTF-8 and English under C.UTF-8"

wine "$WORK/old/Varolin-$version-x64-setup.exe" /S /AUTOSTART || fail "the silent install failed"
[ -f "$INSTDIR/Varolin.exe" ] && [ -f "$INSTDIR/Varolin.chm" ] && [ -f "$INSTDIR/Varolin.en.chm" ] &&
  [ -f "$INSTDIR/uninstall.exe" ] ||
  fail "the program is not in $INSTDIR"
[ -f "$SHORTCUT" ] || fail "no Start-menu shortcut"
[ "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" = "$version" ] || fail "installed apps list another version"
[ "$(reg_value "$UNINSTALL_KEY" Publisher)" = Ovelia ] || fail "the publisher is not Ovelia"
run=$(reg_value "$RUN_KEY" Varolin)
[[ "$run" == '"C:\users\'*'\AppData\Local\Programs\Varolin\Varolin.exe"' ]] || fail "sign-in entry: $run"
echo "installed $version per user with a shortcut, a quoted sign-in entry and an uninstaller"

printf '\x02\x00\xff\xff\x01\x00\x08\x00CDropBtn\x00\x08C:\\Data\\\x04Data\xff\xff\xff\x00\x00\x60\x80\x00\x00\x00\x00\x00\x01\x80\x00\x03D:\\\x02D:\xff\xff\xff\x00\x00\x60\x80\x00\x01\x00\x00\x00' > "$INSTDIR/GRP001.VRL"
cp "$INSTDIR/GRP001.VRL" "$WORK/page.orig"
start_bar "$INSTDIR/Varolin.exe"
window find "${BAR[@]}" >/dev/null || fail "the installed bar did not appear"
[ -z "$(reg_value 'HKCU\Software\Ovelia\Varolin\Common' AppBarState)" ] || fail "AppBarState before the bar ended"
echo "the installed bar runs"

timeout 120 wine "$WORK/new/Varolin-$next-x64-setup.exe" /S; rc=$?
[ "$rc" -eq 0 ] || fail "the upgrade failed (exit $rc)"
wait_exit "$BAR_PID" 5 || fail "the running bar did not end cleanly on the upgrade"
[ -n "$(reg_value 'HKCU\Software\Ovelia\Varolin\Common' AppBarState)" ] || fail "the bar ended without saving AppBarState"
[ "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" = "$next" ] || fail "installed apps still list the old version"
cmp -s "$INSTDIR/GRP001.VRL" "$WORK/page.orig" || fail "the upgrade changed the page file"
[ -n "$(reg_value "$RUN_KEY" Varolin)" ] || fail "the upgrade dropped the sign-in entry"
echo "upgrade to $next closed the bar (state saved) and kept the page file and sign-in entry"

start_bar "$INSTDIR/Varolin.exe"
window find "${BAR[@]}" >/dev/null || fail "the upgraded bar did not appear"
kill -STOP "$BAR_PID"  # answers no message until continued
timeout 60 wine "$WORK/hung/Varolin-9.9.9-x64-setup.exe" /S; rc=$?
kill -CONT "$BAR_PID"
[ "$rc" -eq 3 ] || fail "a silent upgrade past a hung bar ended with $rc, not 3"
kill -0 "$BAR_PID" 2>/dev/null || fail "the upgrade ended the hung bar"
[ "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" = "$next" ] || fail "the failed upgrade changed the version"
wait_exit "$BAR_PID" 10 || fail "the bar did not end on the Exit command it got while hung"
echo "a silent upgrade gave up on a hung bar with exit code 3 and left it running"

wine "$INSTDIR/uninstall.exe" /S || fail "the silent uninstall failed"
for _ in $(seq 100); do [ -e "$INSTDIR/Varolin.exe" ] || break; sleep 0.2; done
[ ! -e "$INSTDIR/Varolin.exe" ] && [ ! -e "$INSTDIR/Varolin.chm" ] && [ ! -e "$INSTDIR/Varolin.en.chm" ] ||
  fail "the program or its help is still installed"
[ ! -e "$SHORTCUT" ] || fail "the shortcut is still there"
[ -z "$(reg_value "$RUN_KEY" Varolin)" ] || fail "the sign-in entry is still there"
[ -z "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" ] || fail "installed apps still list Varolin"
cmp -s "$INSTDIR/GRP001.VRL" "$WORK/page.orig" || fail "the uninstall removed the page file"
[ -n "$(reg_value 'HKCU\Software\Ovelia\Varolin\Common' AppBarState)" ] || fail "the uninstall removed the settings"
echo "uninstall removed program, shortcut and sign-in entry; page file and settings kept"
echo "installer: all checks passed"
