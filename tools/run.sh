#!/usr/bin/env bash
# `make run`: starts the editor under Wine on the sample novel. With DISPLAY set it opens on the
# user's display; without one it runs on the build tree's own Xvfb for a while, saves a screenshot
# and says where it is.
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")/.." && pwd)
session="$build/wine"
wine_session="$here/cmake/wine-session.sh"
editor="$build/bin/Miravo.exe"
[[ -f $editor ]] || { echo "run: $editor is not built" >&2; exit 1; }

sample=""
if [[ -d $build/samples ]]; then
  sample=$(find "$build/samples" -name '*.mve' | sort | head -n 1)
fi
[[ -n $sample ]] || echo "run: no sample novel under $build/samples; starting with a new novel" >&2

if [[ -n ${DISPLAY:-} ]]; then
  "$wine_session" "$session" prefix
  user_display=$DISPLAY
  eval "$("$wine_session" "$session" env)"
  export DISPLAY=$user_display
  mkdir -p "$HOME"
  args=()
  [[ -n $sample ]] && args=("$(LC_ALL=ja_JP.UTF-8 winepath -w "$sample")")
  echo "run: Miravo.exe ${args[*]:-}"
  LC_ALL=ja_JP.UTF-8 exec wine "$editor" "${args[@]}"
fi

# No display: a session of its own (prefix, Xvfb, wineserver), stopped again at the end.
"$wine_session" "$session" start
trap '"$wine_session" "$session" stop' EXIT
eval "$("$wine_session" "$session" env)"
mkdir -p "$HOME"
args=()
[[ -n $sample ]] && args=("$(LC_ALL=ja_JP.UTF-8 winepath -w "$sample" 2>/dev/null)")
log=$(mktemp)
LC_ALL=ja_JP.UTF-8 setsid wine "$editor" "${args[@]}" </dev/null >"$log" 2>&1 &
editor_pid=$!
# The splash closes 1.6 s after the last window exists; give start-up some time on top.
sleep 8
screenshot="$build/run-screenshot.png"
import -display "$DISPLAY" -window root "$screenshot"
kill "$editor_pid" 2>/dev/null || true
echo "run: the editor ran on a virtual display (no DISPLAY set)${sample:+ with $sample}."
echo "run: screenshot: $screenshot"
rm -f "$log"
