#!/usr/bin/env bash
# Makes Varolin-<version>-x64.zip and Varolin-<version>-x64-setup.exe from a built Windows tree.
# make-packages.sh WIN_BUILD OUT_DIR [VERSION [makensis -D options...]]
# (VERSION: default the tree's project version)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WIN="$1"
OUT="$2"
VERSION="${3:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WIN/CMakeCache.txt")}"
shift $(( $# < 3 ? $# : 3 ))
[ -n "$VERSION" ] || { echo "no project version in $WIN/CMakeCache.txt" >&2; exit 1; }
for f in Varolin.exe Varolin.chm Varolin.en.chm; do
  [ -f "$WIN/$f" ] || { echo "missing $WIN/$f" >&2; exit 1; }
done

mkdir -p "$OUT"
OUT="$(cd "$OUT" && pwd)"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
files="$stage/Varolin-$VERSION"
mkdir -p "$files"
cp "$WIN/Varolin.exe" "$WIN/Varolin.chm" "$WIN/Varolin.en.chm" "$ROOT/installer/README.txt" "$files/"

zip="$OUT/Varolin-$VERSION-x64.zip"
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "Varolin-$VERSION")

makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DFILES="$files" \
  -DOUTFILE="$OUT/Varolin-$VERSION-x64-setup.exe" "$@" "$ROOT/installer/Varolin.nsi"
echo "made $zip and $OUT/Varolin-$VERSION-x64-setup.exe"
