#!/usr/bin/env bash
# Installs, once, what building and testing Presvia needs on Debian: the
# MinGW-w64 cross compiler, CMake and Ninja, GoogleTest's sources, Wine, Xvfb
# and the X tools the tests drive it with. Does nothing when all is there.
set -euo pipefail

missing=()
need() {  # need COMMAND-OR-PATH PACKAGE
    if [[ "$1" == /* ]]; then [[ -e "$1" ]] || missing+=("$2")
    else command -v "$1" >/dev/null 2>&1 || missing+=("$2"); fi
}
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
need x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
need cmake cmake
need ninja ninja-build
need python3 python3
need /usr/src/googletest/CMakeLists.txt googletest
need wine wine
need /usr/lib/wine/wine64 wine64
need Xvfb xvfb
need xdotool xdotool
need xwininfo x11-utils
need import imagemagick

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [[ $(id -u) -eq 0 ]] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
