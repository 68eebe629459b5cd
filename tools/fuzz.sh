#!/usr/bin/env bash
# Runs every fuzzer of a native build tree for a bounded time, starting from its seed corpus.
# Usage: fuzz.sh NATIVE_BUILD_DIR SECONDS
set -euo pipefail
build=$(realpath "$1")
seconds=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)
status=0
while read -r fuzzer; do
  [[ -n $fuzzer ]] || continue
  name=$(basename "$fuzzer")
  work="$build/fuzz/$name"
  mkdir -p "$work"
  seeds=()
  [[ -d $source_dir/tests/fuzz/corpus/$name ]] && seeds+=("$source_dir/tests/fuzz/corpus/$name")
  echo "== $name for ${seconds}s"
  if ! (cd "$work" && "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 "$work" "${seeds[@]}" >"$work/log.txt" 2>&1); then
    tail -n 40 "$work/log.txt"
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$work/log.txt" || true
done <"$build/fuzzers.txt"
exit $status
