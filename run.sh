#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what is missing, builds into build/ and launches the program when a controller is
# attached, or the demo program (the same windows over a simulated controller) when none is.
#   ./run.sh          that choice, said in one line when it is the demo
#   ./run.sh --demo   the demo program
#   ./run.sh --real   the program, with or without a controller
set -euo pipefail
cd "$(dirname "$0")"

choice=${1:-}
case "$choice" in
  "" | --demo | --real) ;;
  *)
    echo "Usage: ./run.sh [--demo | --real]" >&2
    exit 2
    ;;
esac

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

program=build/bin/software-update-system
demo=build/bin/software-update-system-demo
if [ "$choice" = --demo ]; then
  program=$demo
elif [ -z "$choice" ] && ! build/bin/mvt ports >/dev/null 2>&1; then
  echo "No controller is attached: starting the demo program over a simulated controller (./run.sh --real starts the program itself)."
  program=$demo
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; run it under a virtual one: xvfb-run -s '-screen 0 1280x800x24' ./$program"
  exit 1
fi
exec "./$program"
