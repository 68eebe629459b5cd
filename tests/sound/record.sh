#!/usr/bin/env bash
# A recorded sound test: the Windows side plays a scenario through MVSound.mvx while the Linux side
# records the PulseAudio null sink's monitor; then the Windows side analyses the recording.
# Wine does not wait for Linux programs, so this script is the test and drives both sides.
#
#   record.sh SESSION_DIR PROBE MVSOUND SCENARIO [MVPLAY]
#
# Scenarios are those of sound_probe; "mvplay-wave" and "mvplay-ogg" play a tone with MVPLAY
# instead and check it like "tone" and "ogg".
set -uo pipefail

session=$(realpath -m "$1")
probe=$2
library=$3
scenario=$4
mvplay=${5:-}
cmake_dir=$(cd "$(dirname "$0")/../../cmake" && pwd)
work=$(mktemp -d)
recorder=""
own_session=""

cleanup() {
  [[ -n $recorder ]] && kill "$recorder" 2>/dev/null
  [[ -n $own_session ]] && "$cmake_dir/wine-session.sh" "$session" stop
  rm -rf "$work"
}
trap cleanup EXIT

if [[ ! -f $session/state ]]; then
  "$cmake_dir/wine-session.sh" "$session" start || exit 1
  own_session=1
fi
eval "$("$cmake_dir/wine-session.sh" "$session" env)"
run() { "$cmake_dir/wine-run.sh" "$session" --timeout "$@"; }
windows() { winepath -w "$1" 2>/dev/null; }
folder="$(windows "$work")\\"

run 60 "$probe" write "$folder" || exit 1

# One recorded run: record, play, stop recording, check. 0 when the sound was right.
attempt() {
  rm -f "$work/recording.raw"
  parecord -d nullsink.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=20 \
    "$work/recording.raw" </dev/null >/dev/null 2>&1 &
  recorder=$!
  for _ in $(seq 200); do
    (($(stat -c %s "$work/recording.raw" 2>/dev/null || echo 0) > 17640)) && break
    sleep 0.05
  done

  local check=$scenario played
  case $scenario in
  mvplay-wave | mvplay-ogg)
    local file
    if [[ $scenario == mvplay-wave ]]; then file=tone440.wav check=tone; else file=tone660.ogg check=ogg; fi
    run 30 "$mvplay" "$folder$file" | tee "$work/mvplay.txt"
    played=${PIPESTATUS[0]}
    grep -q "IsPlaying 1" "$work/mvplay.txt" && grep -q "IsPlaying 0" "$work/mvplay.txt" ||
      { echo "mvplay did not report IsPlaying going from 1 to 0"; played=1; }
    ;;
  *)
    run 200 "$probe" play "$scenario" "$(windows "$library")" "$folder"
    played=$?
    ;;
  esac

  sleep 0.7
  kill -INT "$recorder"
  wait "$recorder" 2>/dev/null
  recorder=""

  ((played == 0)) || { echo "record.sh: playing $scenario failed"; return 1; }
  run 120 "$probe" check "$check" "$(windows "$work/recording.raw")" "$folder"
}

# Wine's audio output drops out now and then on a machine short of CPU: silence of a few to a
# few hundred milliseconds inserted into the recording. Another attempt tells such a dropout
# from a fault of the engine, which fails every time; every attempt is printed.
attempts=${SOUND_ATTEMPTS:-3}
checked=1
for ((i = 1; i <= attempts; ++i)); do
  attempt && { checked=0; break; }
  ((i < attempts)) && echo "record.sh: attempt $i of $scenario failed, once more"
done
# SOUND_KEEP_RECORDING=FILE keeps the last recording for a closer look.
[[ -n ${SOUND_KEEP_RECORDING:-} ]] && cp "$work/recording.raw" "$SOUND_KEEP_RECORDING"
exit $checked
