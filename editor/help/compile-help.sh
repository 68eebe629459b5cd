#!/usr/bin/env bash
# Compiles the help: compile-help.sh SOURCE_DIR WORK_DIR OUTPUT_CHM
set -euo pipefail
source_dir=$1
work=$2
output=$3
rm -rf "$work"
mkdir -p "$work" "$(dirname "$output")"
cp "$source_dir"/*.html "$source_dir"/*.css "$work"/
for file in "$source_dir"/*.hhp "$source_dir"/*.hhc "$source_dir"/*.hhk; do
  iconv -f UTF-8 -t CP932 "$file" >"$work/$(basename "$file")"
done
(cd "$work" && chmcmd --no-html-scan --verbosity 1 MiravoHelp.hhp >chmcmd.log 2>&1) || {
  cat "$work/chmcmd.log" >&2
  exit 1
}
[[ -s $work/MiravoHelp.chm ]] || { echo "compile-help: chmcmd wrote no MiravoHelp.chm" >&2; cat "$work/chmcmd.log" >&2; exit 1; }
mv "$work/MiravoHelp.chm" "$output"
