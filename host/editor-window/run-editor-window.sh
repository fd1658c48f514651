#!/bin/sh
# Runs the editor window under wine on the X display of xvfb-run, drives it with real mouse and
# key input from xdotool, and saves a screenshot with ImageMagick's import.
# Usage: run-editor-window.sh <editor window program> <build folder> [module, as wine sees it]
set -u
program=$1
build=$2
module=${3:-}
work=$build/editor-window
rm -rf "$work"
mkdir -p "$work"

wine "$program" "Z:$work" ${module:+"$module"} >"$work/log.txt" 2>&1 &
pid=$!

i=0
while [ ! -s "$work/ready.txt" ]; do
  i=$((i + 1))
  if [ $i -gt 600 ] || ! kill -0 $pid 2>/dev/null; then
    echo "the editor window did not come up"; cat "$work/log.txt"; exit 1
  fi
  sleep 0.1
done
read x y <"$work/ready.txt"
sleep 1

# Moves the pointer to a point of the editor (its own coordinates).
at() { xdotool mousemove $((x + $1)) $((y + $2)); sleep 0.1; }

at 582 20 && xdotool click 1 && sleep 0.3                      # next preset
at 123 140 && xdotool mousedown 1                              # predelay knob, dragged up
for dy in 10 20 30 40; do at 123 $((140 - dy)); done
xdotool mouseup 1 && sleep 0.3
at 953 62 && xdotool click 1 && sleep 0.3                      # E.R. bypass
at 41 363 && xdotool click 1 && sleep 0.5                      # dry text field
xdotool type --delay 60 -- "-12" && xdotool key Return
sleep 1

import -window root -crop 1105x381+"$x"+"$y" +repage "$build/editor-window.png"
touch "$work/done.txt"
wait $pid
status=$?
wineserver -w
cat "$work/log.txt"
exit $status
