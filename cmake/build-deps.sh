#!/usr/bin/env bash
# Cross-builds the Windows (x86_64, static) libraries that Debian ships only as source:
# libogg, libvorbis (vorbisfile, vorbisenc), libpng and libjpeg-turbo; and Scintilla's Win32
# control from the source package scite.
# Usage: build-deps.sh DEPS_DIR
# The result lands in DEPS_DIR/win64-<key>/{include,lib}; DEPS_DIR/win64 links to it. Scintilla
# has a cache of its own, DEPS_DIR/scintilla-<key> linked as DEPS_DIR/scintilla, so adding or
# updating it leaves the other libraries' cache valid.
# The key is made of the source versions, so a second run with the same versions does nothing.
set -euo pipefail

deps_dir=$(realpath -m "${1:?usage: build-deps.sh DEPS_DIR}")
here=$(cd "$(dirname "$0")" && pwd)
toolchain="$here/mingw-w64-x86_64.cmake"
src_packages=(libogg libvorbis libpng1.6 libjpeg-turbo)
mkdir -p "$deps_dir"

sudo=""
((EUID == 0)) || sudo="sudo"

# Source lists are derived from the machine's own binary lists, so no host is named here.
ensure_source_lists() {
  local out=/etc/apt/sources.list.d/miravo-deb-src.sources
  [[ -f $out ]] && return 0
  local tmp
  tmp=$(mktemp)
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$tmp"
  elif [[ -f /etc/apt/sources.list ]]; then
    # One-line format: turn every "deb" line into a "deb-src" stanza of its own.
    awk '$1 == "deb" { $1 = "deb-src"; print }' /etc/apt/sources.list >"$tmp"
    out=/etc/apt/sources.list.d/miravo-deb-src.list
  else
    echo "build-deps: no apt source list found to derive source lists from" >&2
    exit 1
  fi
  $sudo install -m 644 "$tmp" "$out"
  rm -f "$tmp"
  $sudo apt-get update -qq
}

# Candidate source versions as apt sees them (newest first).
source_versions() {
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2 }' | sort -V -r | uniq
}

# Scintilla's Win32 editing control as a static library (scintilla/ with its win32/ layer; the
# lexers of Lexilla are not needed). Direct2D stays out: GDI drawing is all the editor uses.
build_scintilla() {
  local v
  v=$(source_versions scite | head -n 1)
  [[ -n $v ]] || { echo "build-deps: no source package scite" >&2; exit 1; }
  local out="$deps_dir/scintilla-$(printf 'scite=%s;' "$v" | sha1sum | cut -c1-12)"
  if [[ -f $out/.complete ]]; then
    ln -sfn "$(basename "$out")" "$deps_dir/scintilla"
    return 0
  fi
  echo "build-deps: building Scintilla into $out"
  local src_root="$deps_dir/src" dir
  mkdir -p "$src_root"
  dir=$(find "$src_root" -maxdepth 1 -type d -name "scite-*" | head -n 1)
  if [[ -z $dir ]]; then
    (cd "$src_root" && apt-get source -qq --download-only "scite=$v" >/dev/null 2>&1) ||
      { echo "build-deps: cannot download scite" >&2; exit 1; }
    (cd "$src_root" && dpkg-source --no-check -x ./scite_*.dsc >/dev/null)
    dir=$(find "$src_root" -maxdepth 1 -type d -name "scite-*" | head -n 1)
  fi
  local build="$deps_dir/build-scintilla"
  rm -rf "$build" "$out"
  mkdir -p "$build" "$out/lib" "$out/include/scintilla"
  cp -r "$dir/scintilla/." "$build/"
  make -C "$build/win32" -j "$(nproc)" ../bin/libscintilla.a \
    CXX=x86_64-w64-mingw32-g++-posix AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib \
    DEFINES="-DNDEBUG -DDISABLE_D2D" BASE_FLAGS="-O2" >"$build.log" 2>&1 ||
    { tail -n 50 "$build.log"; exit 1; }
  cp "$build/bin/libscintilla.a" "$out/lib/"
  cp "$build"/include/*.h "$out/include/scintilla/"
  cp "$build/License.txt" "$out/"
  printf 'scite=%s\n' "$v" >"$out/.complete"
  ln -sfn "$(basename "$out")" "$deps_dir/scintilla"
  rm -rf "$build" "$build.log"
}

ensure_source_lists
build_scintilla

key=""
declare -A version
for p in "${src_packages[@]}"; do
  v=$(source_versions "$p" | head -n 1)
  if [[ -z $v ]]; then
    echo "build-deps: no source package $p" >&2
    exit 1
  fi
  version[$p]=$v
  key+="$p=$v;"
done
key_hash=$(printf '%s' "$key" | sha1sum | cut -c1-12)
prefix="$deps_dir/win64-$key_hash"

if [[ -f $prefix/.complete ]]; then
  ln -sfn "$(basename "$prefix")" "$deps_dir/win64"
  exit 0
fi

echo "build-deps: building Windows libraries into $prefix"
rm -rf "$prefix"
src_root="$deps_dir/src"
mkdir -p "$src_root" "$prefix"

fetch() {
  local p=$1 dir
  dir=$(find "$src_root" -maxdepth 1 -type d -name "$2-*" | head -n 1)
  if [[ -z $dir ]]; then
    # The newest revision listed has been seen to answer 404; fall back to older ones.
    local ok=""
    for v in $(source_versions "$p"); do
      if (cd "$src_root" && apt-get source -qq --download-only "$p=$v" >/dev/null 2>&1); then
        ok=$v
        break
      fi
    done
    [[ -n $ok ]] || { echo "build-deps: cannot download $p" >&2; exit 1; }
    (cd "$src_root" && dpkg-source --no-check -x ./"${p}"_*.dsc >/dev/null)
    dir=$(find "$src_root" -maxdepth 1 -type d -name "$2-*" | head -n 1)
  fi
  echo "$dir"
}

cmake_build() {
  local name=$1 source=$2
  shift 2
  local build="$deps_dir/build/$name"
  rm -rf "$build"
  mkdir -p "$deps_dir/build"
  cmake -S "$source" -B "$build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DMIRAVO_DEPS_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON "$@" >"$build.log" 2>&1 ||
    { cat "$build.log"; exit 1; }
  cmake --build "$build" >>"$build.log" 2>&1 || { tail -n 50 "$build.log"; exit 1; }
  cmake --install "$build" >>"$build.log" 2>&1 || { tail -n 50 "$build.log"; exit 1; }
}

ogg_src=$(fetch libogg libogg)
vorbis_src=$(fetch libvorbis libvorbis)
png_src=$(fetch libpng1.6 libpng1.6)
jpeg_src=$(fetch libjpeg-turbo libjpeg-turbo)

cmake_build ogg "$ogg_src" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
cmake_build vorbis "$vorbis_src" -DOGG_ROOT="$prefix"
cmake_build png "$png_src" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DPNG_BUILD_ZLIB=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_EXECUTABLES=ON
cmake_build jpeg "$jpeg_src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF

# nlohmann-json is header-only; the Windows build must not see /usr/include itself.
mkdir -p "$prefix/include"
cp -r /usr/include/nlohmann "$prefix/include/"

printf '%s\n' "$key" >"$prefix/.complete"
ln -sfn "$(basename "$prefix")" "$deps_dir/win64"
rm -rf "$deps_dir/build"
echo "build-deps: done"
