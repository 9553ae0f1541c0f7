#!/usr/bin/env bash
# Runs one fuzz target for a long time (default: the group file reader for one hour), keeping
# the corpus it grows in the build folder between runs.
# Usage: scripts/fuzz-group-file.sh [SECONDS] [TARGET]  (targets: see tests/fuzz/run.sh)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VAROLIN_BUILD:-$ROOT/build}"
exec "$ROOT/tests/fuzz/run.sh" "$BUILD/fuzz" "${1:-3600}" "${2:-group-file}"
