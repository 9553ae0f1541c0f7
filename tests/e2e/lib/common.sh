# Sourced by every e2e script, whose $1 is the build folder (test.sh has set up Wine and the
# display): the program and the helper tools, failing, waiting for and stopping the bar.
set -uo pipefail
BUILD="$1"
# VAROLIN_E2E_EXE runs a script against another build of the program (the clang tree's).
EXE="${VAROLIN_E2E_EXE:-$BUILD/win/Varolin.exe}"
TOOLS="$BUILD/win/e2e"
BAR=(--class '#32770' --caption Varolin --child 1009)  # the bar: its page label is control 1009

fail() { echo "FAIL: $*"; exit 1; }
window() { wine "$TOOLS/window.exe" "$@"; }

# Every copy started here is ended when the script ends; a script adds its own cleanup by
# defining on_exit.
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  if declare -F on_exit >/dev/null; then on_exit; fi
}
trap cleanup EXIT

# Starts a copy of the program ($1, default the built one) in the background: its pid in BAR_PID.
start_bar() {
  wine "${1:-$EXE}" &
  BAR_PID=$!
  started+=("$BAR_PID")
}

# Waits at most $2 seconds (default 30) for process $1 to end; its exit code is then the result.
wait_exit() {
  for _ in $(seq $(( ${2:-30} * 10 ))); do
    if ! kill -0 "$1" 2>/dev/null; then wait "$1"; return $?; fi
    sleep 0.1
  done
  return 124
}

# Closes the bar of copy BAR_PID (the close options of the window tool may follow) and checks
# that the copy ends cleanly.
stop_bar() {
  if ! window close "${BAR[@]}" "$@"; then
    # Not found: tell a bar that ended by itself from one that lost its window.
    if kill -0 "$BAR_PID" 2>/dev/null; then fail "could not close the bar (its process still runs)"; fi
    wait "$BAR_PID"
    fail "could not close the bar: it had already ended (exit $?)"
  fi
  wait_exit "$BAR_PID"
  local rc=$?
  [ "$rc" -eq 0 ] || fail "the bar did not end cleanly (exit $rc)"
}

# Runs the command until it succeeds, for at most $1 seconds: the bar's work runs in the
# background, and a loaded machine may take a while.
eventually() {
  local until=$(( $(date +%s) + $1 )); shift
  until "$@"; do
    [ "$(date +%s)" -lt "$until" ] || return 1
    sleep 0.2
  done
}

# The program's settings key, and REG_DWORD values stored in it, each given as "Section Name Value".
KEY='HKCU\Software\Ovelia\Varolin'
set_settings() {
  local setting section name value
  for setting in "$@"; do
    read -r section name value <<<"$setting"
    wine reg add "$KEY\\$section" /v "$name" /t REG_DWORD /d "$value" /f >/dev/null || fail "registry"
  done
}

# Fails when a message box is open.
no_message_box() { ! window find --class '#32770' --child 65535 --timeout 1 >/dev/null 2>&1 || fail "a message box is open"; }
