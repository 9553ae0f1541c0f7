#!/usr/bin/env bash
# The real program keeps its page and position from one run to the next: a copy is started
# from a folder holding a page file for page 2, the user steps to page 2 with the spin and
# turns "always on top" off; after closing, a new start shows page 2 with its button and the
# bar is where it was, no longer on top.
source "$(dirname "$0")/lib/common.sh"
WORK="$BUILD/e2e-persistence"

# The bar's state once it has finished starting (its label reads "COPY" until then).
bar_info() {
  local info
  for _ in $(seq 100); do
    info=$(window info "${BAR[@]}") || return 1
    [[ "$info" != COPY* ]] && { echo "$info"; return 0; }
    sleep 0.1
  done
  return 1
}

rm -rf "$WORK" && mkdir -p "$WORK"
cp "$EXE" "$WORK/"
# A page of two buttons (C:\Data\ and D:\) in the classic group file layout, as page 2.
printf '\x02\x00\xff\xff\x01\x00\x08\x00CDropBtn\x00\x08C:\\Data\\\x04Data\xff\xff\xff\x00\x00\x60\x80\x00\x00\x00\x00\x00\x01\x80\x00\x03D:\\\x02D:\xff\xff\xff\x00\x00\x60\x80\x00\x01\x00\x00\x00' > "$WORK/GRP001.VRL"
cp "$WORK/GRP001.VRL" "$WORK/page2.orig"
wine reg delete 'HKCU\Software\Ovelia\Varolin' /f >/dev/null 2>&1

start_bar "$WORK/Varolin.exe"
first=$(bar_info) || fail "the bar did not appear"
echo "first run: $first"
[[ "$first" == "1 / 3 topmost "* ]] || fail "the first run did not start on page 1, on top"

# A click on the right arrow of the spin (its right quarter).
spin=$(awk '{print $(NF-1)}' <<<"$first")
IFS=, read -r sl st sr sb <<<"$spin"
xdotool mousemove $(( sr - (sr - sl) / 4 )) $(( (st + sb) / 2 )) click 1 >/dev/null 2>&1
# A generous deadline: a loaded machine may take seconds to deliver the click.
for _ in $(seq 300); do stepped=$(bar_info); [[ "$stepped" == "2 / 3 "* ]] && break; sleep 0.1; done
[[ "$stepped" == "2 / 3 "* ]] || fail "clicking the spin's right arrow did not step to page 2 ($stepped)"

window close "${BAR[@]}" --command 32771 || fail "could not choose 'always on top'"
sleep 0.3
stop_bar

start_bar "$WORK/Varolin.exe"
second=$(bar_info) || fail "the bar did not come back"
echo "second run: $second"
[[ "$second" == "2 / 3 normal "* ]] || fail "the second run did not keep page 2 and 'not on top' ($second)"
[ "${second##* }" = "${stepped##* }" ] || fail "the bar moved: ${stepped##* } before, ${second##* } now"
cmp -s "$WORK/GRP001.VRL" "$WORK/page2.orig" || fail "the page file changed"
stop_bar
echo "persistence: all checks passed"
