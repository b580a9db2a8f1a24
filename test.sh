#!/usr/bin/env bash
# Installs what is missing, builds everything into build/ and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh

preset=default
[ -n "${CI:-}" ] && preset=ci
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j "$(nproc)"
