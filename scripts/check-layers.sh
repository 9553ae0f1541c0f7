#!/usr/bin/env bash
# Fails when a file under src/ includes a header from a folder that is not below its own in the
# layer order of src/CMakeLists.txt (or the framework includes the program's resource ids).
# Prints every offending include.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mapfile -t layers < <(sed -n '/^set(VAROLIN_LAYERS/,/^)/p' "$ROOT/src/CMakeLists.txt" | sed '1d;$d' | awk '{print $1}')
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

bad=0
while IFS= read -r file; do
  rel=${file#"$ROOT/src/"}
  folder=${rel%%/*}
  [ "$folder" = res ] && continue
  if [ -z "${rank[$folder]+x}" ]; then echo "$rel: folder '$folder' is not in the layer order"; bad=1; continue; fi
  while IFS= read -r line; do
    header=$(sed -E 's/^[^"]*"([^"]+)".*/\1/' <<<"${line#*:}")
    target=${header%%/*}
    if [ "$header" = resource.h ]; then
      [ "$folder" = framework ] || continue
    elif [ "$target" != "$header" ] && [ -n "${rank[$target]+x}" ] && [ "${rank[$target]}" -le "${rank[$folder]}" ]; then
      continue
    fi
    echo "$rel:${line%%:*}: #include \"$header\" reaches above the $folder layer"
    bad=1
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find "$ROOT/src" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

if [ "$bad" -ne 0 ]; then exit 1; fi
echo "layers: every include points down (${layers[*]})"
