# Shared by the build and test scripts: folders, and the wine environment for the 32-bit build.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

# configure <folder> [cmake arguments...]: configure once, reconfigure when arguments change.
configure() {
  local dir=$1; shift
  cmake -S "$root" -B "$root/build/$dir" -G Ninja "$@" >/dev/null
}

build() { cmake --build "$root/build/$1" -j "$jobs"; }

use_wine() {
  export WINEPREFIX="$root/build/win32/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -d "$WINEPREFIX" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}
