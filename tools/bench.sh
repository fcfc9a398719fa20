#!/usr/bin/env bash
# Builds and runs one benchmark under Wine in a throwaway prefix on a private
# 1920 x 1080 Xvfb display, and stops everything it started.
#   tools/bench.sh overlay   screen capture, overlay paints and pen moves
#   tools/bench.sh kivhook   the hook procedures and hooked program starts
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${PRESVIA_BUILD_DIR:-$ROOT/build}"
case "${1:-}" in
    overlay) program="$BUILD/bin/overlay_bench.exe" ;;
    kivhook) program="$BUILD/tests/bin/kivhook_bench.exe" ;;
    *) echo "usage: tools/bench.sh overlay|kivhook" >&2; exit 2 ;;
esac
"$ROOT/tools/build.sh" >/dev/null
source "$ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start headless
cd "$(dirname "$program")"
wine "$(basename "$program")"
