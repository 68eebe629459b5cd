#!/usr/bin/env bash
# The settings file written under one system code page reads back under another: Japanese on a
# western system and the other way round.
#   ini-code-pages.sh SOURCE_DIR SESSION_DIR PROBE_EXE WORK_DIR
set -uo pipefail
source_dir=$1
session=$2
probe=$3
work=$4

run_with_locale() { # locale, probe arguments...
  local locale=$1
  shift
  local out
  out=$(mktemp)
  (
    eval "$("$source_dir/cmake/wine-session.sh" "$session" env)"
    mkdir -p "$HOME"
    exec env LC_ALL="$locale" timeout -k 5 60 wine "$probe" "$@" </dev/null >"$out" 2>&1
  )
  local rc=$?
  sed "s/^/  [$locale] /" "$out"
  rm -f "$out"
  return $rc
}

status=0
for pair in "ja_JP.UTF-8 en_US.UTF-8" "en_US.UTF-8 ja_JP.UTF-8"; do
  read -r writer reader <<<"$pair"
  folder="$work/$writer"
  rm -rf "$folder"
  mkdir -p "$folder"
  echo "written under $writer, read under $reader:"
  run_with_locale "$writer" write "$folder" || status=1
  run_with_locale "$reader" check "$folder" || status=1
done
exit $status
