#!/usr/bin/env bash
# The help files the build puts beside Varolin.exe, Japanese and English: each one's contents
# tree starts at intro.htm, every topic it names is in the file, it opens at intro.htm (the
# Japanese title: tests/win/HelpTest) and says its language; both name the same topics.
source "$(dirname "$0")/lib/common.sh"
[ -f "$EXE" ] || fail "no Varolin.exe in $BUILD/win"
work=$(mktemp -d)
on_exit() { rm -rf "$work"; }

for help in Varolin.chm:0x0411 Varolin.en.chm:0x0409; do
  name=${help%%:*} lcid=${help#*:}
  CHM="$BUILD/win/$name"
  [ -f "$CHM" ] || fail "no $name beside Varolin.exe"
  listing=$(chmls list -n "$CHM") || fail "chmls cannot read $CHM"
  chmls extract "$CHM" /Varolin.hhc "$work/contents.hhc" >/dev/null || fail "cannot extract the contents of $name"
  topics=$(grep -o 'name="Local" value="[^"]*"' "$work/contents.hhc" | sed 's/.*value="\(.*\)"/\1/')
  [ "$(head -1 <<<"$topics")" = intro.htm ] || fail "the contents of $name start at $(head -1 <<<"$topics")"
  [ "$(wc -l <<<"$topics")" -gt 1 ] || fail "the contents of $name name only $topics"
  for topic in $topics; do
    grep -qx "/$topic" <<<"$listing" || fail "the contents of $name name $topic, which is missing"
  done
  [ "$name" = Varolin.chm ] && japanese_topics=$topics
  [ "$topics" = "$japanese_topics" ] || fail "$name names other topics than Varolin.chm"
  chmls extract "$CHM" /#SYSTEM "$work/system" >/dev/null || fail "cannot extract #SYSTEM of $name"
  grep -qaF "intro.htm" "$work/system" || fail "intro.htm is not the default topic of $name"
  # Its language: the record with code 4 (two bytes of length follow) starts with the LCID.
  LC_ALL=C grep -qaP "(?s)\x04\x00..\x${lcid:4:2}\x${lcid:2:2}\x00\x00" "$work/system" || fail "$name does not say language $lcid"
  echo "help file $name: $(wc -l <<<"$topics") topics, contents and language as expected"
done
