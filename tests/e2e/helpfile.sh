#!/usr/bin/env bash
# The help file the build puts beside Varolin.exe: its contents tree starts at intro.htm,
# every topic it names is in the file, and it opens at intro.htm (its title: tests/win/HelpTest).
source "$(dirname "$0")/lib/common.sh"
CHM="$BUILD/win/Varolin.chm"

[ -f "$EXE" ] || fail "no Varolin.exe in $BUILD/win"
[ -f "$CHM" ] || fail "no Varolin.chm beside Varolin.exe"
listing=$(chmls list -n "$CHM") || fail "chmls cannot read $CHM"

work=$(mktemp -d)
on_exit() { rm -rf "$work"; }
chmls extract "$CHM" /Varolin.hhc "$work/contents.hhc" >/dev/null || fail "cannot extract the contents"
topics=$(grep -o 'name="Local" value="[^"]*"' "$work/contents.hhc" | sed 's/.*value="\(.*\)"/\1/')
[ "$(head -1 <<<"$topics")" = intro.htm ] || fail "the contents start at $(head -1 <<<"$topics")"
[ "$(wc -l <<<"$topics")" -gt 1 ] || fail "the contents name only $topics"
for topic in $topics; do
  grep -qx "/$topic" <<<"$listing" || fail "the contents name $topic, which is missing"
done

chmls extract "$CHM" /#SYSTEM "$work/system" >/dev/null || fail "cannot extract #SYSTEM"
grep -qaF "intro.htm" "$work/system" || fail "intro.htm is not the default topic"
echo "help file: $(wc -l <<<"$topics") topics, contents as expected"
