#!/usr/bin/env bash
# Builds Varolin and starts the bar under Wine: on $DISPLAY when there is one, otherwise on a
# virtual screen, where it saves a screenshot after a few seconds and says where.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${VAROLIN_BUILD:-$ROOT/build}"
mkdir -p "$BUILD"

"$ROOT/scripts/install-packages.sh" || exit 1
# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
varolin_build || { echo "build failed"; exit 1; }

# The run keeps its own Wine prefix (registry) and program folder (page files), apart from the
# tests' which leave settings and pages behind: a first run starts as a newcomer's would.
export WINEPREFIX="$BUILD/run-prefix"
RUN_DIR="$BUILD/run"
mkdir -p "$RUN_DIR"
for f in Varolin.exe Varolin.chm; do
  if [ -f "$BUILD/win/$f" ]; then cp -u "$BUILD/win/$f" "$RUN_DIR/"; fi
done

if [ -n "${DISPLAY:-}" ]; then
  wine_prefix_setup
  exec wine "$RUN_DIR/Varolin.exe"
fi

trap wine_env_cleanup EXIT
xvfb_start
wine_prefix_setup
wine "$RUN_DIR/Varolin.exe" &
sleep "${VAROLIN_SHOT_DELAY:-6}"
shot="$BUILD/screenshot.png"
import -window root "$shot"
echo "Varolin is running on virtual display $DISPLAY; screenshot saved to $shot"
echo "Press Ctrl+C to end it."
wait
