#!/usr/bin/env bash
# Debian's Ardour 7 as a real third-party host of the Linux bundle: its VST 3 scanner must find the
# plug-in as an "Fx|Reverb" effect with two inputs and two outputs, and a headless Lua session must
# load it on a track, change a parameter, process and save the plug-in's state into the session.
# Ardour's exit codes say little, so every check reads what it prints and writes.
# usage: ardour_checks.sh BUNDLE WORK_FOLDER        (exit 77: the session part cannot run yet)
set -euo pipefail
bundle=$(realpath "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
ardour=/usr/lib/ardour7

fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work"
mkdir -p "$work/home/.config/ardour7" "$work/home/.vst3"
export HOME="$work/home"
# The session's search path is the default one under this private HOME.
cp -r "$bundle" "$HOME/.vst3/Tessaline.vst3"
installed="$HOME/.vst3/Tessaline.vst3"
cat > "$HOME/.config/ardour7/config" <<CONFIG
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="hide-dummy-backend" value="0"/>
  </Config>
</Ardour>
CONFIG

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

if ! grep -q "Component Controller Class" "$work/scan.log"; then
  echo "SKIP: the module has no controller class yet; Ardour only loads a processor that has one"
  exit 77
fi

echo "== a headless Ardour session"
# The Lua host trusts the scanner's cache only for plug-ins that are not new.
find "$installed" -exec touch -d '2 days ago' {} +
rm -f "$HOME/.config/ardour7/plugin_metadata/scan_log"
TESSALINE_SESSION_DIR="$work/session" timeout 300 ardour7-lua "$here/session.lua" >"$work/session.log" 2>&1 || true
grep "^check:" "$work/session.log" || true
for line in "check: plugin loaded: Tessaline" "check: parameter set" "check: saved"; do
  grep -qF "$line" "$work/session.log" || fail "the session did not print \"$line\""
done
processed=$(sed -n 's/^check: processed to sample \([0-9]*\)$/\1/p' "$work/session.log")
[ "${processed:-0}" -gt 0 ] || fail "the session did not process audio"

session="$work/session/tessaline.ardour"
[ -f "$session" ] || fail "no session file"
grep -q 'type="vst3" unique-id="D6FAE8EBF87044EF9AAB360BB521FC19"' "$session" || fail "the session holds no Tessaline"
# The plug-in's state: a VST 3 preset chunk whose component part is our 167-byte record.
sed -n 's/.*<chunk>\([^<]*\)<\/chunk>.*/\1/p' "$session" | head -1 | base64 -d >"$work/chunk.bin" ||
  fail "no readable plug-in state in the session"
[ "$(head -c 4 "$work/chunk.bin")" = "VST3" ] || fail "the state is not a VST 3 preset chunk"
u64() { od -An -t u8 -j "$1" -N 8 "$work/chunk.bin" | tr -d ' '; }
list=$(u64 40)
count=$(od -An -t u4 -j $((list + 4)) -N 4 "$work/chunk.bin" | tr -d ' ')
component=""
for ((i = 0; i < count; i++)); do
  entry=$((list + 8 + 20 * i))
  if [ "$(dd if="$work/chunk.bin" bs=1 skip=$entry count=4 2>/dev/null)" = "Comp" ]; then
    component=$(u64 $((entry + 4)))
    size=$(u64 $((entry + 12)))
  fi
done
[ -n "$component" ] || fail "the preset chunk has no component state"
[ "$size" = 167 ] || fail "the component state has $size bytes, not 167"
[ "$(u64 "$component")" = 4 ] || fail "the component state is not version 4"
dry=$(od -An -t x1 -j $((component + 8)) -N 8 "$work/chunk.bin" | tr -d ' \n')
[ "$dry" = "000000000000d03f" ] || fail "the saved Dry is $dry, not 0.25"
echo "session: loaded, parameter changed, processed $processed samples, saved with Dry 0.25 in the plug-in's state"
