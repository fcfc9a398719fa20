#!/usr/bin/env bash
# Builds and runs the overlay benchmark under Wine in a throwaway prefix on a
# private 1920 x 1080 Xvfb display; stops everything it started.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
"$ROOT/tools/build.sh" >/dev/null
source "$ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start headless
cd "${PRESVIA_BUILD_DIR:-$ROOT/build}/bin"
wine overlay_bench.exe
