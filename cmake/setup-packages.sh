#!/usr/bin/env bash
# Installs the Debian packages that both builds and the Wine test harness need.
# Idempotent: when every package is present it returns at once without touching apt.
set -euo pipefail

packages=(
  # native build, tests, fuzzers, benchmarks
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  libvorbis-dev libogg-dev libpng-dev libjpeg-dev nlohmann-json3-dev
  # Windows cross build and the dependency source builds
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  libz-mingw-w64-dev dpkg-dev fp-utils
  # running and observing Windows programs
  wine wine64 xvfb x11-apps xauth fonts-ipafont pulseaudio pulseaudio-utils imagemagick locales
  # the installer (MSI) and the portable zip
  wixl msitools zip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  ((EUID == 0)) || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# The cross compiler must use the posix thread model (std::thread, std::mutex).
for tool in x86_64-w64-mingw32-g++ x86_64-w64-mingw32-gcc; do
  if [[ -e /usr/bin/$tool-posix && "$(readlink -f /usr/bin/$tool)" != "/usr/bin/$tool-posix" ]]; then
    sudo=""
    ((EUID == 0)) || sudo="sudo"
    $sudo update-alternatives --set "$tool" "/usr/bin/$tool-posix"
  fi
done

# Wine converts file names through the Unix locale: without a generated ja_JP.UTF-8 locale,
# files with Japanese names cannot be created under Wine.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sudo=""
  ((EUID == 0)) || sudo="sudo"
  echo "setup: generating the ja_JP.UTF-8 locale"
  $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
