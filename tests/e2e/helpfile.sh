#!/usr/bin/env bash
# The help file the build puts beside Varolin.exe: it holds every topic, its contents tree
# starts at intro.htm, and it opens at intro.htm with the title "Varolin ヘルプ".
# $1: the build folder.
set -uo pipefail
BUILD="$1"
CHM="$BUILD/win/Varolin.chm"
fail() { echo "FAIL: $*"; exit 1; }

[ -f "$BUILD/win/Varolin.exe" ] || fail "no Varolin.exe in $BUILD/win"
[ -f "$CHM" ] || fail "no Varolin.chm beside Varolin.exe"

listing=$(chmls list -n "$CHM") || fail "chmls cannot read $CHM"
for topic in intro.htm docking.htm pages.htm buttons.htm drop.htm text.htm options.htm Varolin.hhc; do
  grep -qx "/$topic" <<<"$listing" || fail "$topic missing from the help file"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmls extract "$CHM" /Varolin.hhc "$work/contents.hhc" >/dev/null || fail "cannot extract the contents"
first=$(grep -o 'name="Local" value="[^"]*"' "$work/contents.hhc" | head -1)
[ "$first" = 'name="Local" value="intro.htm"' ] || fail "the contents start at $first"
# Every topic the contents name is in the file.
for local in $(grep -o 'name="Local" value="[^"]*"' "$work/contents.hhc" | sed 's/.*value="\(.*\)"/\1/'); do
  grep -qx "/$local" <<<"$listing" || fail "the contents name $local, which is missing"
done

chmls extract "$CHM" /#SYSTEM "$work/system" >/dev/null || fail "cannot extract #SYSTEM"
title=$(printf 'Varolin ヘルプ' | iconv -f UTF-8 -t CP932)
grep -qaF "$title" "$work/system" || fail "the help title is not Varolin ヘルプ"
grep -qaF "intro.htm" "$work/system" || fail "intro.htm is not the default topic"
echo "help file: $(grep -c . <<<"$listing") entries, title and contents as expected"
