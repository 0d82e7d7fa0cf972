#!/usr/bin/env bash
# Installs the Debian packages the build needs, when some are missing:
# with apt-get as root, with sudo otherwise, and elsewhere prints what to install.
#   install-deps.sh          what the desktop program needs (make play)
#   install-deps.sh --web    and the browser build (make web)
#   install-deps.sh --test   and everything the test suite runs (make test),
#                            the Windows build and Wine included
#   install-deps.sh --fuzz   and the fuzz targets' compiler (make fuzz)
#   install-deps.sh --windows  and the Windows build, its installer and Wine (make windows)
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libsdl2-dev libcairo2-dev libpng-dev
  nlohmann-json3-dev libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
)
# The browser build, and the browser its test plays it in. Node.js may come
# with its own npm (from another source than Debian's, whose npm package then
# conflicts): Debian's npm only where there is none.
case "${1:-}" in
  --web | --test)
    packages+=(emscripten nodejs chromium)
    command -v npm >/dev/null 2>&1 || packages+=(npm)
    ;;
esac
# The fuzz targets, which the test suite runs too: clang with its libFuzzer
# and sanitizer runtimes (on Debian 12, libclang-rt-dev is libclang-rt-14-dev,
# for clang 14), and llvm-symbolizer for readable reports.
case "${1:-}" in
  --test | --fuzz) packages+=(clang libclang-rt-dev llvm) ;;
esac

# The Windows build: mingw-w64 (posix threads), header-only PNG writing for
# the window, mingw zlib and apt-get source (dpkg-dev) for the runner's
# libpng, the installer's compiler, the portable zip, and Wine to run it.
# The test suite runs it too, and plays its window in a virtual X display
# with a window manager, driven by xdotool and read by xwininfo and jq.
case "${1:-}" in
  --windows | --test)
    packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               libstb-dev libz-mingw-w64-dev dpkg-dev nsis zip wine wine64)
    ;;
esac
case "${1:-}" in
  --test) packages+=(xvfb openbox xdotool x11-utils jq) ;;
esac

missing=()
if command -v dpkg-query >/dev/null 2>&1; then
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
else
  echo "This is not a Debian-like system. Install the equivalents of:" >&2
  echo "  ${packages[*]}" >&2
  exit 0
fi

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
elif command -v sudo >/dev/null 2>&1; then
  sudo apt-get update -qq
  sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
else
  echo "Please install these packages, then run make again:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi
