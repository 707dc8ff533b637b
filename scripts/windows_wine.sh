# Sourced by the Windows scripts: Wine for running the Windows programs here.
#
#   wine_start     the cached Wine prefix (made on first use) and a persistent
#                  wineserver, booted once; sets WINEPREFIX for what follows
#   wine_run SECONDS PROGRAM ARGS...   one Windows program under a time limit
#   wine_stop      ends that wineserver
#
# A new prefix takes a while and most of a gigabyte, so it is kept in the
# cache, named after Wine's version. The persistent wineserver keeps Wine's
# helper processes from holding the pipes of whoever started the first
# program (ctest waits on those pipes otherwise), and saves each start the
# server's own start-up.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=-all
# No .NET or Internet Explorer emulation: their installers would ask to
# download, and nothing here needs them.
export WINEDLLOVERRIDES="mscoree=;mshtml="

wine_start() {
  local version
  version=$($WINE --version | tr -c 'A-Za-z0-9.\n-' '_')
  export WINEPREFIX=${WINEPREFIX:-$ZD_CACHE/wine-prefix-$version}
  if [ ! -f "$WINEPREFIX/.complete" ]; then
    echo "windows: making the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    timeout 300 $WINE wineboot --init </dev/null >/dev/null 2>&1 || true
    timeout 60 $WINESERVER -w || true
    [ -f "$WINEPREFIX/system.reg" ] || { echo "windows: wineboot made no prefix" >&2; return 1; }
    touch "$WINEPREFIX/.complete"
  fi
  $WINESERVER -p </dev/null >/dev/null 2>&1 &
  timeout 120 $WINE wineboot </dev/null >/dev/null 2>&1 || true
}

wine_run() {
  local seconds=$1
  shift
  timeout -k 5 "$seconds" $WINE "$@"
}

wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && $WINESERVER -k 2>/dev/null || true
}
