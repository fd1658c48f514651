#!/usr/bin/env bash
# Debian's Ardour 7 as a real third-party host of the Linux bundle: its VST 3 scanner must find the
# plug-in as an "Fx|Reverb" effect with two inputs and two outputs, and a headless Lua session must
# load it on a track, show the processor's values, change a parameter, process and save the
# plug-in's state into the session; reopened, the session must recall that state exactly.
# Ardour's exit codes say little, so every check reads what it prints and writes.
# usage: ardour_checks.sh BUNDLE WORK_FOLDER
set -euo pipefail
bundle=$(realpath "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/ardour_env.sh"

# Every LINE must be a whole line of what the Lua script printed into LOG.
expect_lines() {  # LOG LINE...
  local log=$1; shift
  for line in "$@"; do
    grep -qxF "$line" "$log" || fail "$(basename "$log" .log) did not print \"$line\""
  done
}

ardour_home "$work"
mkdir -p "$HOME/.vst3"
# The session's search path is the default one under this private HOME.
cp -r "$bundle" "$HOME/.vst3/Tessaline.vst3"
installed="$HOME/.vst3/Tessaline.vst3"

echo "== Ardour's VST 3 scanner"
LD_LIBRARY_PATH=$ardour timeout 120 "$ardour/ardour-vst3-scanner" -f -v "$installed" >"$work/scan.log" 2>&1 || true
cat "$work/scan.log"
grep -q "Found Plugin: Tessaline" "$work/scan.log" || fail "the scanner did not find the plug-in"
cache=$(grep -l 'name="Tessaline"' "$HOME"/.cache/ardour7/vst/*.v3i 2>/dev/null | head -1 || true)
[ -n "$cache" ] || fail "the scanner wrote no cache entry"
for attribute in 'category="Fx|Reverb"' 'n_inputs="2"' 'n_outputs="2"' 'version="2.0.1.1"' \
                 'sdk-version="VST 3.6.6"' 'uid="D6FAE8EBF87044EF9AAB360BB521FC19"'; do
  grep -qF "$attribute" "$cache" || fail "the cache entry lacks $attribute"
done
echo "scanner: found, $(grep -o 'category="[^"]*"' "$cache"), 2 in / 2 out"

# Ardour loads a processor into a session only when the module names its controller class.
grep -q "Component Controller Class" "$work/scan.log" || fail "the scanner found no controller class"

echo "== a headless Ardour session"
# The Lua host trusts the scanner's cache only for plug-ins that are not new.
find "$installed" -exec touch -d '2 days ago' {} +
TESSALINE_SESSION_DIR="$work/session" ardour_lua "$here/session.lua" "$work/session.log"
grep "^check:" "$work/session.log" || true
# Ardour keeps its own copy of the values: it must hold the processor's, not the controller's
# defaults (Predelay 10 ms, Variation 1, Decay time 5 s, Wet 0 dB).
values_read=("check: reads 1 20.0000" "check: reads 4 1.0000" "check: reads 5 3.0000" "check: reads 18 0.5000")
expect_lines "$work/session.log" "check: plugin loaded: Tessaline" "${values_read[@]}" \
  "check: parameter set" "check: saved"
processed=$(sed -n 's/^check: processed to sample \([0-9]*\)$/\1/p' "$work/session.log")
[ "${processed:-0}" -gt 0 ] || fail "the session did not process audio"

session="$work/session/tessaline.ardour"
[ -f "$session" ] || fail "no session file"
grep -q 'type="vst3" unique-id="D6FAE8EBF87044EF9AAB360BB521FC19"' "$session" || fail "the session holds no Tessaline"

# The processor's part of the plug-in's state in a saved session: the component entry of the VST 3
# preset chunk, written to OUT.
component_state() {  # SESSION_FILE OUT
  local chunk="$work/chunk.bin" list count entry component="" size=""
  sed -n 's/.*<chunk>\([^<]*\)<\/chunk>.*/\1/p' "$1" | head -1 | base64 -d >"$chunk" ||
    fail "no readable plug-in state in $1"
  [ "$(head -c 4 "$chunk")" = "VST3" ] || fail "the state in $1 is not a VST 3 preset chunk"
  u64() { od -An -t u8 -j "$1" -N 8 "$chunk" | tr -d ' '; }
  list=$(u64 40)
  count=$(od -An -t u4 -j $((list + 4)) -N 4 "$chunk" | tr -d ' ')
  for ((i = 0; i < count; i++)); do
    entry=$((list + 8 + 20 * i))
    if [ "$(dd if="$chunk" bs=1 skip=$entry count=4 2>/dev/null)" = "Comp" ]; then
      component=$(u64 $((entry + 4)))
      size=$(u64 $((entry + 12)))
    fi
  done
  [ -n "$component" ] || fail "the preset chunk in $1 has no component state"
  [ "$size" = 167 ] || fail "the component state in $1 has $size bytes, not 167"
  dd if="$chunk" of="$2" bs=1 skip="$component" count=167 2>/dev/null
}
# The bytes at OFFSET of a state file, in hexadecimal.
state_bytes() {  # STATE OFFSET COUNT
  od -An -t x1 -j "$2" -N "$3" "$1" | tr -d ' \n'
}
# Version 4, Dry 0.25, the rest the processor's starting values: Predelay 0.1, Wet 0.5, E.R.
# variation index 2, Reverb variation index 1.
check_state() {  # STATE WHICH
  [ "$(state_bytes "$1" 0 8)" = "0400000000000000" ] || fail "the $2 state is not version 4"
  [ "$(state_bytes "$1" 8 8)" = "000000000000d03f" ] || fail "the $2 Dry is $(state_bytes "$1" 8 8), not 0.25"
  [ "$(state_bytes "$1" 16 8)" = "9a9999999999b93f" ] || fail "the $2 Predelay is $(state_bytes "$1" 16 8), not 0.1"
  [ "$(state_bytes "$1" 136 8)" = "000000000000e03f" ] || fail "the $2 Wet is $(state_bytes "$1" 136 8), not 0.5"
  [ "$(state_bytes "$1" 144 2)" = "0201" ] || fail "the $2 variations are $(state_bytes "$1" 144 2), not 2 and 1"
}
# Ardour's own copy of the values, saved beside the state.
check_ports() {  # SESSION_FILE WHICH
  for port in '<Port id="0" value="0.25"/>' '<Port id="1" value="20"/>' '<Port id="3" value="2"/>' \
              '<Port id="4" value="1"/>' '<Port id="5" value="3"/>' '<Port id="18" value="0.5"/>'; do
    grep -qF "$port" "$1" || fail "the $2 session does not hold $port"
  done
}

component_state "$session" "$work/saved.state"
check_state "$work/saved.state" saved
check_ports "$session" saved
echo "session: loaded, parameter changed, processed $processed samples, saved with Dry 0.25 in the plug-in's state and the processor's values in Ardour's"

echo "== the session reopened"
cp "$session" "$work/first.ardour"
TESSALINE_SESSION_DIR="$work/session" ardour_lua "$here/reopen.lua" "$work/reopen.log"
grep "^check:" "$work/reopen.log" || true
expect_lines "$work/reopen.log" "check: session reopened" "check: plugin reloaded: Tessaline" \
  "check: reads 0 0.2500" "${values_read[@]}" "check: saved"
processed=$(sed -n 's/^check: processed to sample \([0-9]*\)$/\1/p' "$work/reopen.log")
[ "${processed:-0}" -gt 0 ] || fail "the reopened session did not process audio"
component_state "$session" "$work/resaved.state"
check_state "$work/resaved.state" re-saved
cmp -s "$work/saved.state" "$work/resaved.state" ||
  fail "the re-saved state differs from the saved one at bytes $(cmp -l "$work/saved.state" "$work/resaved.state" | awk '{printf "%d ", $1 - 1}')"
check_ports "$session" re-saved
echo "reopened: processed $processed samples, re-saved with all 26 values of the processor's state unchanged"
