#!/usr/bin/env bash
# mingw-libpng.sh PREFIX: Debian's libpng, built for 64-bit Windows with
# mingw-w64 against Debian's mingw zlib, installed in PREFIX (once: a PREFIX
# that holds it already is kept). The headless runner for Windows writes its
# screenshots with it, byte for byte as on Linux. The source comes from
# Debian through apt-get source, with a source list of its own beside PREFIX,
# so that the system's apt configuration stays as it is.
set -euo pipefail
prefix=$(realpath -m "$1")
[ -f "$prefix/lib/libpng16.a" ] && exit 0
here=$(cd "$(dirname "$0")/../.." && pwd)
work="$prefix.work"
mkdir -p "$work/parts" "$work/lists/partial" "$work/cache" "$work/src"
printf 'deb-src http://deb.debian.org/debian bookworm main\n' >"$work/sources.list"
apt=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/parts"
     -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o "APT::Sandbox::User=root")
apt-get "${apt[@]}" update -qq
(cd "$work/src" && apt-get "${apt[@]}" source -qq libpng1.6 >/dev/null)
source_dir=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
cmake -S "$source_dir" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF >/dev/null
cmake --build "$work/build" -j "${JOBS:-2}" >/dev/null
cmake --install "$work/build" >/dev/null
rm -rf "$work"
