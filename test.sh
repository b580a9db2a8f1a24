#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through CTest: the normal build in build/, the
# same tests under the address, undefined-behaviour and leak sanitizers in build-asan/, and a 60 s run
# of the update-file fuzzer in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh

# Builds the preset's tree and runs its tests, saying how long that took.
suite() {
  local preset=$1 started=$SECONDS
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j "$(nproc)"
  echo "== $preset: $((SECONDS - started)) s"
}

preset=default
[ -n "${CI:-}" ] && preset=ci
suite "$preset"
suite asan
started=$SECONDS
fuzz/run.sh 60
echo "== fuzz: $((SECONDS - started)) s"
