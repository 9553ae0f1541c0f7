#!/usr/bin/env bash
# Runs the group file reader's fuzz target for a long time (default one hour), keeping the
# corpus it grows in the build folder between runs. Usage: scripts/fuzz-group-file.sh [SECONDS]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VAROLIN_BUILD:-$ROOT/build}"
exec "$ROOT/tests/fuzz/run.sh" "$BUILD/fuzz" "${1:-3600}"
