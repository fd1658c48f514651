# Shared by the Ardour checks (sourced): a private HOME in which Ardour 7 shows its Dummy backend,
# and the steps its Lua host needs before it trusts the scanner's cache.
ardour=/usr/lib/ardour7

fail() { echo "FAIL: $*"; exit 1; }

# ardour_home WORK [OPTION...]: a fresh WORK with WORK/home as HOME and Ardour's configuration
# holding the given <Option .../> elements besides the one that shows the Dummy backend.
ardour_home() {
  local work=$1; shift
  rm -rf "$work"
  mkdir -p "$work/home/.config/ardour7"
  export HOME="$work/home"
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<Ardour>'
    echo '  <Config>'
    echo '    <Option name="hide-dummy-backend" value="0"/>'
    for option in "$@"; do echo "    $option"; done
    echo '  </Config>'
    echo '</Ardour>'
  } >"$HOME/.config/ardour7/config"
}

# ardour_lua SCRIPT LOG: runs a session script; the Lua host skips plug-ins it sees as new and
# anything its scan log marks, so the log goes before every run.
ardour_lua() {
  rm -f "$HOME/.config/ardour7/plugin_metadata/scan_log"
  timeout 300 ardour7-lua "$1" >"$2" 2>&1 || true
}
