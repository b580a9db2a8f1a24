#!/usr/bin/env bash
# Installs what is missing, builds into build/ and launches the program.
# ./run.sh --demo launches the demo program instead: the same windows over a simulated controller.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh

cmake --preset default >/dev/null
cmake --build --preset default

program=build/bin/software-update-system
if [ "${1:-}" = "--demo" ]; then
  program=build/bin/software-update-system-demo
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; run it under a virtual one: xvfb-run -s '-screen 0 1280x800x24' ./$program"
  exit 1
fi
exec "./$program"
