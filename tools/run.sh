#!/usr/bin/env bash
# Installs what is missing, builds, and runs Presvia under Wine.
#
# With an X display: starts Presvia there, in its own Wine prefix kept in
# ~/.presvia-wine, until it exits (tray icon, Exit) or Ctrl+C.
#
# Without one (or with --headless [FOLDER]): runs a short scripted tour on a
# private Xvfb display in a throwaway prefix - a sample slide, then the laser
# beam, the pen, the highlight pen, the spotlight, the zoom and the black
# screen, each reached by typing its chord - and writes a screenshot of each
# into FOLDER (default: out/tour).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/install-deps.sh"
"$ROOT/tools/build.sh"

TOUR_DIR=""
if [[ "${1:-}" == "--headless" || -z "${DISPLAY:-}" ]]; then
    TOUR_DIR="${2:-$ROOT/out/tour}"
    [[ "${1:-}" == "--headless" ]] || TOUR_DIR="${1:-$ROOT/out/tour}"
fi

source "$ROOT/tools/wine-session.sh"
if [[ -n "$TOUR_DIR" ]]; then
    trap wine_session_stop EXIT
    wine_session_start headless
    echo "Headless: touring Presvia on Xvfb display $DISPLAY; screenshots go to $TOUR_DIR"
    "$ROOT/tools/tour/tour.sh" "$TOUR_DIR"
    echo "Tour done: screenshots in $TOUR_DIR"
    exit 0
fi

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${PRESVIA_WINEPREFIX:-$HOME/.presvia-wine}"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
[[ -d "$WINEPREFIX" ]] || wineboot -i >/dev/null 2>&1
echo "Starting Presvia on $DISPLAY (exit it from its notification-area icon, or press Ctrl+C)"
wine "$ROOT/build/bin/Presvia.exe"
