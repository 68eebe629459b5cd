#!/usr/bin/env bash
# Owns the Wine environment of one build tree: the prefix, Xvfb, the PulseAudio null sink and a
# detached wineserver.
#
#   wine-session.sh SESSION_DIR prefix        create the prefix once (Japanese locale, fonts, desktop)
#   wine-session.sh SESSION_DIR start         prefix + Xvfb + PulseAudio + wineserver, PIDs recorded
#   wine-session.sh SESSION_DIR stop          stop everything "start" recorded, by PID
#   wine-session.sh SESSION_DIR env           print the environment a Windows program runs with
#
# SESSION_DIR holds the prefix (SESSION_DIR/prefix) and the state of a running session
# (SESSION_DIR/state). Everything runs detached from the caller's stdout/stderr, so that ctest
# never waits for pipes held open by Wine's background services.
# Wine takes its ANSI code page (932) from LC_ALL, so every Wine command gets LC_ALL=ja_JP.UTF-8 on
# its own command line; the shell itself need not have that locale.
set -euo pipefail

session_dir=$(realpath -m "${1:?usage: wine-session.sh SESSION_DIR prefix|start|stop|env}")
command=${2:?usage: wine-session.sh SESSION_DIR prefix|start|stop|env}
state="$session_dir/state"
prefix="$session_dir/prefix"
mkdir -p "$session_dir"

base_env() {
  cat <<EOF
export WINEPREFIX='$prefix'
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree,mshtml='
export HOME='$session_dir/home'
EOF
}

# The reg file is written as UTF-16LE, which is what regedit expects for Japanese names.
write_registry_file() {
  local out=$1
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    local face
    for face in "MS Gothic=IPAGothic" "MS PGothic=IPAPGothic" "MS UI Gothic=IPAPGothic" \
      "MS Mincho=IPAMincho" "MS PMincho=IPAPMincho" "ＭＳ ゴシック=IPAGothic" \
      "ＭＳ Ｐゴシック=IPAPGothic" "ＭＳ 明朝=IPAMincho" "ＭＳ Ｐ明朝=IPAPMincho"; do
      printf '"%s"="%s"\r\n' "${face%%=*}" "${face#*=}"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1000x700"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Audio"="pulse"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$out"
}

ensure_prefix() {
  [[ -f $prefix/.miravo-ready ]] && return 0
  exec 9>"$session_dir/.prefix.lock"
  flock 9
  [[ -f $prefix/.miravo-ready ]] && return 0
  eval "$(base_env)"
  mkdir -p "$HOME"
  rm -rf "$prefix"
  echo "wine-session: creating Wine prefix $prefix" >&2
  LC_ALL=ja_JP.UTF-8 wineboot -i </dev/null >"$session_dir/wineboot.log" 2>&1
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
  write_registry_file "$session_dir/settings.reg"
  LC_ALL=ja_JP.UTF-8 wine regedit /S "$(winepath -w "$session_dir/settings.reg")" </dev/null >>"$session_dir/wineboot.log" 2>&1
  LC_ALL=ja_JP.UTF-8 wineserver -w
  touch "$prefix/.miravo-ready"
}

start_xvfb() {
  local fifo="$session_dir/displayfd"
  rm -f "$fifo"
  mkfifo "$fifo"
  setsid Xvfb -displayfd 4 -screen 0 1280x800x24 -nolisten tcp 4>"$fifo" </dev/null >/dev/null 2>&1 &
  echo "XVFB_PID=$!" >>"$state.new"
  local display
  read -r -t 20 display <"$fifo" || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
  rm -f "$fifo"
  echo "export DISPLAY=:$display" >>"$state.new"
}

start_pulse() {
  local run="$session_dir/pulse"
  mkdir -p "$run"
  chmod 700 "$run"
  cat >"$run/default.pa" <<EOF
load-module module-native-protocol-unix auth-anonymous=1 socket=$run/native
load-module module-null-sink sink_name=nullsink rate=44100
set-default-sink nullsink
EOF
  XDG_RUNTIME_DIR=$run HOME="$session_dir/home" setsid pulseaudio -n -F "$run/default.pa" \
    --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
    </dev/null >"$run/pulse.log" 2>&1 &
  echo "PULSE_PID=$!" >>"$state.new"
  echo "export XDG_RUNTIME_DIR='$run'" >>"$state.new"
  echo "export PULSE_SERVER='unix:$run/native'" >>"$state.new"
  local i
  for i in $(seq 100); do
    [[ -S $run/native ]] && return 0
    sleep 0.1
  done
  echo "wine-session: PulseAudio did not start (see $run/pulse.log)" >&2
  exit 1
}

start_wineserver() {
  (
    eval "$(cat "$state.new")"
    eval "$(base_env)"
    LC_ALL=ja_JP.UTF-8 setsid wineserver -p -f </dev/null >/dev/null 2>&1 &
    echo "WINESERVER_PID=$!" >>"$state.new"
    # Start the background services now, detached, so no test's pipes are inherited by them.
    LC_ALL=ja_JP.UTF-8 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  )
}

stop_session() {
  [[ -f $state ]] || return 0
  local XVFB_PID="" PULSE_PID="" WINESERVER_PID=""
  eval "$(grep -E '^[A-Z_]+_PID=' "$state")"
  (eval "$(base_env)"; timeout 20 wineserver -k >/dev/null 2>&1 || true)
  local pid
  for pid in $WINESERVER_PID $PULSE_PID $XVFB_PID; do
    kill "$pid" 2>/dev/null || true
  done
  sleep 0.2
  for pid in $WINESERVER_PID $PULSE_PID $XVFB_PID; do
    kill -9 "$pid" 2>/dev/null || true
  done
  rm -f "$state"
}

case $command in
prefix) ensure_prefix ;;
start)
  ensure_prefix
  stop_session
  rm -f "$state.new"
  base_env >"$state.new"
  start_xvfb
  start_pulse
  start_wineserver
  mv "$state.new" "$state"
  ;;
stop) stop_session ;;
env)
  if [[ -f $state ]]; then
    grep -v -E '^[A-Z_]+_PID=' "$state"
  else
    base_env
  fi
  ;;
*)
  echo "wine-session: unknown command $command" >&2
  exit 2
  ;;
esac
