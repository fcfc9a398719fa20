#!/usr/bin/env bash
# A scripted tour of Presvia for a machine without a display. Expects
# DISPLAY, WINEPREFIX and the built program; starts a full-screen sample
# slide and Presvia, types the receiver's chords with xdotool, and writes a
# screenshot of each tool into the folder given as the first argument.
#   tour.sh OUTPUT_DIR
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD="${PRESVIA_BUILD_DIR:-$ROOT/build}"
OUT="$1"
mkdir -p "$OUT"

wait_for_window() {  # wait_for_window NAME
    for _ in $(seq 100); do
        xdotool search --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "window '$1' did not appear" >&2
    return 1
}
shot() { sleep 0.6; import -window root "$OUT/$1.png"; echo "  $OUT/$1.png"; }
chord_down() { xdotool keydown "ctrl+alt+shift+$1"; }
chord_up() { xdotool keyup "$1" shift alt ctrl; }
chord() { chord_down "$1"; sleep 0.1; chord_up "$1"; sleep 0.3; }
move() { xdotool mousemove "$1" "$2"; sleep 0.08; }

wine "$BUILD/tools/sample_slide.exe" &
wait_for_window "Sample slide"
wine "$BUILD/bin/Presvia.exe" &
wait_for_window "lumora2_kvx"
sleep 1
# Give the slide the X focus, as a presenter's click would.
move 960 540
xdotool click 1
shot 01-slide

echo "Laser beam (Ctrl+Alt+Shift+1 held)"
move 1300 420
chord_down 1
sleep 0.3
move 1320 440
shot 02-laser
chord_up 1

echo "Pen, straight lines (Ctrl+Alt+Shift+5 held while the mouse moves)"
move 130 800
chord_down 5
for x in 200 300 400 500 600 700; do move "$x" 803; done
for y in 850 900 950; do move 703 "$y"; done
chord_up 5
shot 03-pen

echo "Highlight pen (Ctrl+Alt+Shift+6)"
move 120 360
chord_down 6
for x in 250 400 550 700 850; do move "$x" 362; done
chord_up 6
shot 04-highlight
chord 9  # close the tools

echo "Spotlight (Ctrl+Alt+Shift+4, dragged open)"
move 1150 350
chord_down 4
for step in 1 2 3 4 5; do move $((1150 + step * 80)) $((350 + step * 120)); sleep 0.05; done
chord_up 4
shot 05-spotlight
chord 9

echo "Zoom (Ctrl+Alt+Shift+3, dragged open from the lens centre)"
move 1400 800
chord_down 3
for step in 1 2 3 4 5; do move $((1400 + step * 40)) $((800 + step * 25)); sleep 0.05; done
chord_up 3
shot 06-zoom
chord 9

echo "Black screen (Ctrl+Alt+Shift+8)"
chord 8
shot 07-black
chord 8
shot 08-back
