#!/usr/bin/env bash
# wine-run.sh PREFIX PROGRAM [ARGS...]
# Runs a Windows program of the MinGW build under Wine in its own prefix, made on first use (about
# 10 s; tests and test discovery running side by side wait for the one that makes it), with Wine's
# own messages off and no display.
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all DISPLAY=
# No Mono or Gecko: the programs need neither, and setting up the prefix would ask for them.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot --init >/dev/null 2>&1
      wineserver --wait
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# A server that outlives each program by a few seconds: a test run starts one program per test, and
# starting the server anew for each would take longer than most tests.
wineserver -p 10 2>/dev/null || true # already running: fine
exec wine "$@"
