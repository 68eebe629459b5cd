#!/usr/bin/env bash
# Runs one Windows program under the build tree's Wine session and passes on its exit code.
# Usage: wine-run.sh SESSION_DIR [--timeout SECONDS] [--] PROGRAM [ARGS...]
# Without a running session (a program started by hand) it starts one and stops it afterwards.
# Wine's output goes to a file first and is printed afterwards: a pipe inherited by a Wine
# background process would otherwise keep the caller waiting.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
session_dir=$(realpath -m "${1:?usage: wine-run.sh SESSION_DIR [--timeout S] PROGRAM [ARGS...]}")
shift
timeout_s=120
while (($#)); do
  case $1 in
  --timeout) timeout_s=$2; shift 2 ;;
  --) shift; break ;;
  *) break ;;
  esac
done
(($#)) || { echo "wine-run: no program given" >&2; exit 2; }

own_session=""
if [[ ! -f $session_dir/state ]]; then
  "$here/wine-session.sh" "$session_dir" start || exit 1
  own_session=1
fi

out=$(mktemp)
(
  eval "$("$here/wine-session.sh" "$session_dir" env)"
  mkdir -p "$HOME"
  LC_ALL=ja_JP.UTF-8 timeout -k 5 "$timeout_s" wine "$@" </dev/null >"$out" 2>&1
)
rc=$?
cat "$out"
rm -f "$out"
((rc == 124)) && echo "wine-run: $1 timed out after ${timeout_s}s" >&2
[[ -n $own_session ]] && "$here/wine-session.sh" "$session_dir" stop
exit $rc
