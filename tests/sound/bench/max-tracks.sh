#!/usr/bin/env bash
# Benchmark under Wine: how many tracks play at once without a gap in the null sink's recording,
# and the process CPU each playing track costs, with Wine's DirectSound mixing included. Run by
# hand on an otherwise idle machine; the engine's own share (decoding and refilling music-like
# Ogg Vorbis) is measured by sound_tracks_benchmark, which `make bench` runs.
#   max-tracks.sh WIN64_BUILD_DIR [COUNTS...]      (default counts: 8 16 24 32 48 64)
set -uo pipefail
build=$(realpath "$1")
shift
counts=("$@")
((${#counts[@]})) || counts=(8 16 24 32 48 64)
here=$(cd "$(dirname "$0")/.." && pwd)
for n in "${counts[@]}"; do
  echo "== $n tracks"
  SOUND_TRACKS=$n "$here/record.sh" "$build/wine" "$build/tests/sound/sound_probe.exe" \
    "$build/bin/MVSound.mvx" tracks | grep -a -E "tracks without a gap|CPU per track|cpu_|stretch|sound from"
done
