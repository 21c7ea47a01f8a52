#!/usr/bin/env bash
# Installs every Debian package the build, the tests and `make run` need, prepares the SQLite
# amalgamation from Debian's sqlite3 source package and unpacks Debian's libjpeg-turbo source
# package, which both trees build. Idempotent: a second run only checks.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache="$root/build/third_party"

# Version-free names (metapackages where Debian has them), so the list holds on the next release.
packages=(
  build-essential cmake ninja-build tcl dpkg-dev nasm
  g++-mingw-w64-i686-posix mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine wine32:i386 wine64
  xvfb xauth x11-utils imagemagick fonts-dejavu-core
  googletest libbenchmark-dev libxxhash-dev
  clang libclang-rt-dev
  fp-utils
  nsis
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

need_src=0
[ -f "$cache/sqlite/sqlite3.c" ] || need_src=1
[ -f "$cache/libjpeg-turbo/jpeglib.h" ] || need_src=1

if [ ${#missing[@]} -gt 0 ] || [ $need_src -eq 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  # Source lines made from the machine's own binary lines, so `apt-get source` finds sqlite3.
  src_list=/etc/apt/sources.list.d/quillon-deb-src.sources
  if [ ! -f "$src_list" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | as_root tee "$src_list" >/dev/null
  fi
  if [ ! -f "$src_list" ] && [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee /etc/apt/sources.list.d/quillon-deb-src.list >/dev/null
  fi
  as_root apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi

if [ ! -f "$cache/libjpeg-turbo/jpeglib.h" ]; then
  echo "setup: unpacking Debian's libjpeg-turbo source package"
  rm -rf "$cache/jpeg-src" "$cache/libjpeg-turbo"
  mkdir -p "$cache/jpeg-src"
  (cd "$cache/jpeg-src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  srcdir=$(find "$cache/jpeg-src" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  mv "$srcdir" "$cache/libjpeg-turbo"
  rm -rf "$cache/jpeg-src"
fi

if [ ! -f "$cache/sqlite/sqlite3.c" ]; then
  echo "setup: building the SQLite amalgamation from Debian's sqlite3 source package"
  rm -rf "$cache/sqlite-src" "$cache/sqlite"
  mkdir -p "$cache/sqlite-src" "$cache/sqlite"
  (cd "$cache/sqlite-src" && apt-get source -qq sqlite3 >/dev/null 2>&1)
  srcdir=$(find "$cache/sqlite-src" -maxdepth 1 -mindepth 1 -type d -name 'sqlite3-*' | head -n 1)
  mkdir -p "$cache/sqlite-src/bld"
  (cd "$cache/sqlite-src/bld" && "$srcdir/configure" --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
  cp "$cache/sqlite-src/bld/sqlite3.c" "$cache/sqlite-src/bld/sqlite3.h" "$cache/sqlite/"
  rm -rf "$cache/sqlite-src"
fi
