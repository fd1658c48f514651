#!/usr/bin/env bash
# Debian's Ardour 7 as a real VST 2.4 host of the Linux module: its VST 2.4 scanner must find
# Tessaline as a room effect with two inputs and two outputs; a headless session must run noise
# through it (the level follows the plug-in's Dry and Wet), save its chunk, and bring the values
# back when the session is opened again. Ardour's exit codes say little: every check reads what
# it prints and writes.
# usage: ardour_vst2_check.sh MODULE.so WORK_FOLDER
set -euo pipefail
module=$(realpath "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../ardour/ardour_env.sh"

# level NAME: the dB figure of a "check: level NAME <dB>" line (-inf for silence).
level() { sed -n "s/^check: level $1 \(.*\)$/\1/p" "$2" | head -1; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a != "-inf" && a + 0 > b + 0) }'; }

# The meter falls at once, so that a level read shows the signal of that moment.
ardour_home "$work" "<Option name=\"plugin-path-lxvst\" value=\"$work/vst\"/>" \
  '<Option name="meter-falloff" value="1000"/>'
mkdir -p "$work/vst"
cp "$module" "$work/vst/Tessaline.so"
installed="$work/vst/Tessaline.so"

echo "== Ardour's VST 2.4 scanner"
LD_LIBRARY_PATH=$ardour timeout 120 "$ardour/ardour-vst-scanner" -f -v "$installed" >"$work/scan.log" 2>&1 || true
cat "$work/scan.log"
grep -q "Found Plugin: .* Tessaline" "$work/scan.log" || fail "the scanner did not find the plug-in"
cache=$(grep -l 'name="Tessaline"' "$HOME"/.cache/ardour7/vst/*.v2i 2>/dev/null | head -1 || true)
[ -n "$cache" ] || fail "the scanner wrote no cache entry"
for attribute in 'id="1953983342"' 'category="RoomFx"' 'n_inputs="2"' 'n_outputs="2"' 'can_process_replace="1"'; do
  grep -qF "$attribute" "$cache" || fail "the cache entry lacks $attribute"
done

echo "== a headless session"
# The Lua host trusts the cache only for a plug-in that is not new.
touch -d '2 days ago' "$installed"
export TESSALINE_SESSION_DIR="$work/session"
ardour_lua "$here/vst2_session.lua" "$work/session.log"
grep "^check:" "$work/session.log" || true
for line in "check: plugin loaded: Tessaline" "check: parameters 25" "check: saved"; do
  grep -qF "$line" "$work/session.log" || fail "the session did not print \"$line\""
done
above "$(level full "$work/session.log")" -40 || fail "no sound through the plug-in"
above "$(level "reverb only" "$work/session.log")" -40 || fail "no reverb with the dry signal off"
[ "$(level "wet off" "$work/session.log")" = "-inf" ] || fail "sound with the wet output off"

# The plug-in's chunk in the session: sizes 167 and 0, the settings (version 4) with Dry 0.25.
session="$work/session/tessaline.ardour"
grep -q 'type="lxvst" unique-id="1953983342"' "$session" || fail "the session holds no Tessaline"
sed -n 's/.*<chunk[^>]*>\([^<]*\)<\/chunk>.*/\1/p' "$session" | head -1 | base64 -d >"$work/chunk.bin" ||
  fail "no readable chunk in the session"
[ "$(stat -c %s "$work/chunk.bin")" = 183 ] || fail "the chunk has $(stat -c %s "$work/chunk.bin") bytes, not 183"
header=$(od -An -t u8 -N 16 "$work/chunk.bin" | xargs)
[ "$header" = "167 0" ] || fail "the chunk's sizes are $header, not 167 0"
[ "$(od -An -t u8 -j 16 -N 8 "$work/chunk.bin" | xargs)" = 4 ] || fail "the settings are not version 4"
[ "$(od -An -t x1 -j 24 -N 8 "$work/chunk.bin" | tr -d ' \n')" = 000000000000d03f ] || fail "the saved Dry is not 0.25"

echo "== the session opened again"
ardour_lua "$here/vst2_recall.lua" "$work/recall.log"
grep "^check:" "$work/recall.log" || true
grep -qF "check: recalled dry 0.2500 wet 1.0000" "$work/recall.log" || fail "the values did not come back"
above "$(level "after recall" "$work/recall.log")" -40 || fail "no sound after the session was opened again"
echo "Ardour: found as a room effect, 2 in / 2 out; played, followed Dry and Wet, saved a 183-byte chunk, recalled it"
