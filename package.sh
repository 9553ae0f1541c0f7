#!/usr/bin/env bash
# Builds the release and puts Varolin-<version>-x64.zip and Varolin-<version>-x64-setup.exe
# into dist/. VAROLIN_BUILD chooses the build folder (default: build/ in the repository).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${VAROLIN_BUILD:-$ROOT/build}"
"$ROOT/scripts/install-packages.sh"
cmake -S "$ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win" --target Varolin VarolinHelp
"$ROOT/scripts/make-packages.sh" "$BUILD/win" "$ROOT/dist"
