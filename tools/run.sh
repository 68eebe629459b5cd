#!/usr/bin/env bash
# `make run`: registers the novel file type with the association tool under Wine and shows the
# registry entries it wrote.
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")/.." && pwd)
session="$build/wine"
run="$here/cmake/wine-run.sh"
tool="$build/bin/MiravoAssociator.exe"
[[ -f $tool ]] || { echo "run: $tool is not built" >&2; exit 1; }
"$run" "$session" "$tool" /assoc:mve
echo "MiravoAssociator exited with $?; it wrote:"
for key in '.mve' 'Miravo_mve' 'Miravo_mve\DefaultIcon' 'Miravo_mve\Shell\open\command'; do
  "$run" "$session" reg query "HKCR\\$key" /ve | iconv -f CP932 -t UTF-8 | tr -d '\r' | sed '/^$/d'
done
