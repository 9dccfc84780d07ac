#!/usr/bin/env bash
# The test bed: a Wine prefix inside the build tree, one Xvfb display and one
# persistent wineserver for a whole test run.
#
#   testbed.sh prefix   create the prefix when it is missing (no display needed)
#   testbed.sh start    start Xvfb and the wineserver, boot the prefix on that display
#   testbed.sh stop     stop both again
#
# WINEPREFIX and TESTBED_DIR name the prefix and the folder holding the bed's state.
# Wine's background processes never keep the caller's output pipes open: they
# are started with their output sent to log files.
set -u
: "${WINEPREFIX:?}" "${TESTBED_DIR:?}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine gives a Windows file name a Unix name in the Unix locale's character
# set. Without a UTF-8 locale (no LANG, as in CI or on a fresh machine) Wine 10
# finds none for a name with non-ASCII characters, and the file cannot be
# made. C.UTF-8 is on every Debian system, and Wine takes US English for it,
# as for no locale at all; wine-run.sh and the scripts that start Wine
# themselves set the same.
export LC_ALL=C.UTF-8
mkdir -p "$TESTBED_DIR"
log="$TESTBED_DIR/wine.log"

# Screen sizes that the tests choose through named desktops.
desktops=(Setup640=640x480 Setup800=800x600 Setup1024=1024x768 Setup1280=1280x1024)

make_prefix() {
  [ -f "$WINEPREFIX/.testbed-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  wineboot -i >>"$log" 2>&1 </dev/null
  local reg="$TESTBED_DIR/testbed.reg"
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n'
    for d in "${desktops[@]}"; do printf '"%s"="%s"\r\n' "${d%%=*}" "${d#*=}"; done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n'
  } >"$reg"
  wine regedit /S "$reg" >>"$log" 2>&1 </dev/null
  wineserver -w
  touch "$WINEPREFIX/.testbed-ready"
}

# Makes the prefix once, also when several programs ask at the same time.
# The lock is held by a subshell only, never by the daemons started later.
locked_prefix() {
  (
    flock 9
    make_prefix
    "$(dirname "$0")/../scripts/wine-fonts.sh" "$WINEPREFIX"
  ) 9>"$TESTBED_DIR/prefix.lock"
}

case "${1:-}" in
  prefix)
    locked_prefix
    ;;
  start)
    "$0" stop
    locked_prefix
    # Xvfb takes the first display that no other X server holds and tells
    # its number. It also sees a server whose lock file is not in this /tmp
    # (one in a chroot of the same machine): their sockets share one name
    # space, and taking that number would put the tests on the other screen.
    number="$TESTBED_DIR/display-number"
    rm -f "$number"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >"$TESTBED_DIR/xvfb.log" 2>&1 </dev/null &
    echo $! >"$TESTBED_DIR/xvfb.pid"
    for _ in $(seq 50); do [ -s "$number" ] && break; sleep 0.1; done
    n="$(cat "$number" 2>/dev/null)"
    [ -n "$n" ] || { echo "testbed: Xvfb did not start (see $TESTBED_DIR/xvfb.log)" >&2; exit 1; }
    export DISPLAY=":$n"
    setsid wineserver -p >>"$log" 2>&1 </dev/null
    setsid wine wineboot >>"$log" 2>&1 </dev/null
    echo ":$n" >"$TESTBED_DIR/display"
    echo "test bed up on display :$n, prefix $WINEPREFIX"
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 </dev/null
    if [ -f "$TESTBED_DIR/xvfb.pid" ]; then
      kill "$(cat "$TESTBED_DIR/xvfb.pid")" 2>/dev/null
      rm -f "$TESTBED_DIR/xvfb.pid"
    fi
    rm -f "$TESTBED_DIR/display"
    ;;
  *)
    echo "usage: $0 prefix|start|stop" >&2
    exit 2
    ;;
esac
