#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# wine-run.sh PREFIX PROGRAM [ARGS...]
# Runs a Windows program of the MinGW build under Wine in its own prefix, made on first use (about
# 10 s), with Wine's own messages off and no display.
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all DISPLAY=
# No Mono or Gecko: the programs need neither, and setting up the prefix would ask for them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Programs started side by side (tests, test discovery) take turns here. Nothing started here keeps
# the lock (9>&-) or the caller's output: Wine's own background processes live as long as its
# server, and one holding a pipe would keep whoever reads the program's output waiting.
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init </dev/null >/dev/null 2>&1 9>&-
    wineserver --wait 9>&-
  fi
  # A server that outlives each program by a few seconds: a test run starts one program per test,
  # and starting the server and its background processes anew for each takes longer than most
  # tests. A new one gets its background processes here, away from the caller's output.
  if wineserver -p10 </dev/null >/dev/null 2>&1 9>&-; then
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&-
  fi
) 9>"$WINEPREFIX.lock"
exec wine "$@"
