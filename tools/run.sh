#!/usr/bin/env bash
# Installs what is missing, builds, and starts Presvia under Wine: on the
# current X display, or on a private headless Xvfb display when there is none
# (or with --headless). Presvia runs in its own Wine prefix, kept in
# ~/.presvia-wine, until it exits or the command is interrupted.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/install-deps.sh"
"$ROOT/tools/build.sh"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${PRESVIA_WINEPREFIX:-$HOME/.presvia-wine}"
XVFB_PID=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [[ -z "$XVFB_PID" ]] || kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT

if [[ "${1:-}" == "--headless" || -z "${DISPLAY:-}" ]]; then
    fd_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [[ -s "$fd_file" ]] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$fd_file")"
    rm -f "$fd_file"
    echo "Headless: Presvia runs on Xvfb display $DISPLAY"
fi
[[ -d "$WINEPREFIX" ]] || wineboot -i >/dev/null 2>&1

echo "Starting Presvia (exit it from its notification-area icon, or press Ctrl+C)"
wine "$ROOT/build/bin/Presvia.exe"
