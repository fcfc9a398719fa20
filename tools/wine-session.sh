# Sourced by run.sh and test.sh: a throwaway Wine prefix on an X display.
#
#   wine_session_start [headless]   with "headless", or when DISPLAY is unset,
#                                   starts a private Xvfb display
#   wine_session_stop               ends every Wine process of the prefix,
#                                   the Xvfb it started, and removes the prefix
#
# Exports WINEPREFIX, DISPLAY, WINEDEBUG and WINEDLLOVERRIDES.

WINE_SESSION_XVFB_PID=""
WINE_SESSION_PREFIX=""

wine_session_start() {
    export WINEDEBUG=-all
    # Never offer to download Mono or Gecko.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ "${1:-}" == "headless" || -z "${DISPLAY:-}" ]]; then
        local fd_file
        fd_file=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
        WINE_SESSION_XVFB_PID=$!
        local waited=0
        while [[ ! -s "$fd_file" ]] && ((waited < 100)); do sleep 0.1; waited=$((waited + 1)); done
        [[ -s "$fd_file" ]] || { echo "Xvfb did not start" >&2; return 1; }
        export DISPLAY=":$(head -n1 "$fd_file")"
        rm -f "$fd_file"
    fi
    WINE_SESSION_PREFIX=$(mktemp -d /tmp/presvia-wine.XXXXXX)
    export WINEPREFIX="$WINE_SESSION_PREFIX"
    # A persistent server keeps the prefix warm between the many short test processes.
    wineserver -p
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits about 2 s whenever it hides or
    # destroys a window it manages; unmanaged windows do not wait.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

wine_session_stop() {
    if [[ -n "$WINE_SESSION_PREFIX" ]]; then
        WINEPREFIX="$WINE_SESSION_PREFIX" wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINE_SESSION_PREFIX"
        WINE_SESSION_PREFIX=""
    fi
    if [[ -n "$WINE_SESSION_XVFB_PID" ]]; then
        kill "$WINE_SESSION_XVFB_PID" >/dev/null 2>&1 || true
        wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
        WINE_SESSION_XVFB_PID=""
    fi
}
