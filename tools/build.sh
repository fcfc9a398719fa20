#!/usr/bin/env bash
# Configures (once) and builds Presvia, Kivhook and the tests into build/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${PRESVIA_BUILD_DIR:-$ROOT/build}"
if [[ ! -f "$BUILD/build.ninja" ]]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$BUILD"
