#!/bin/sh
# Runs the VST 2.4 editor window under wine on the X display of xvfb-run, drives the editor with real
# mouse and key input from xdotool, then has the host change a parameter and checks on the screen
# that the editor followed it. The last screenshot lands in the build folder.
# Usage: run-vst2-editor-window.sh <window program> <module> <build folder>
set -u
program=$1
module=$2
build=$3
work=$build/vst2-editor-window
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*"; cat "$work/log.txt"; touch "$work/done.txt"; wait; exit 1; }

wine "$program" "$module" "Z:$work" >"$work/log.txt" 2>&1 &
pid=$!

# waitfor FILE: until the program writes it (up to a minute).
waitfor() {
  i=0
  while [ ! -e "$1" ]; do
    i=$((i + 1))
    if [ $i -gt 600 ] || ! kill -0 $pid 2>/dev/null; then fail "no $(basename "$1") from the host"; fi
    sleep 0.1
  done
}
waitfor "$work/ready.txt"
read x y <"$work/ready.txt"
sleep 1

# Moves the pointer to a point of the editor (its own coordinates).
at() { xdotool mousemove $((x + $1)) $((y + $2)); sleep 0.1; }
shot() { import -window root -crop 1105x381+"$x"+"$y" +repage "$1"; }

at 123 140 && xdotool mousedown 1                              # predelay knob, dragged up
for dy in 10 20 30 40; do at 123 $((140 - dy)); done
xdotool mouseup 1 && sleep 0.3
at 953 62 && xdotool click 1 && sleep 0.3                      # E.R. bypass
at 41 363 && xdotool click 1 && sleep 0.5                      # dry text field
xdotool type --delay 60 -- "-12" && xdotool key Return
at 600 -20                                                     # pointer off the editor
sleep 1

# The host sets Width to 0 while nothing else happens: the editor must show it by itself.
shot "$work/before.png"
touch "$work/set.txt"
waitfor "$work/set-done.txt"
sleep 1
shot "$build/vst2-editor-window.png"
changed=$(compare -metric AE "$work/before.png" "$build/vst2-editor-window.png" null: 2>&1 || true)
echo "pixels changed after the host's change: $changed"

touch "$work/done.txt"
wait $pid
status=$?
wineserver -w
cat "$work/log.txt"
[ "${changed:-0}" -gt 0 ] 2>/dev/null || { echo "FAIL: the editor did not follow the host's change"; exit 1; }
exit $status
