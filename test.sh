#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs what is missing, checks the formatting, the licence lines and the workflows' YAML, builds
# and runs every test through CTest (the soaks included): the normal build in build/, the core and
# the simulation alone without Qt in
# build-core/, the same for 64-bit Windows with MinGW-w64 in build-mingw/ with its tests run under
# Wine, the tests of the line's own thread under the thread sanitizer in build-tsan/, the same tests
# as the normal build under the address, undefined-behaviour and leak sanitizers in build-asan/, and
# a 60 s run of the update-file fuzzer in build-fuzz/ (beside the ASan build, done before its tests).
# Then the Debian package from build/ is built, linted, installed, run and removed (packaging/test-package.sh).
#   ./test.sh        all of that
#   ./test.sh soak   the soaks alone (a million DMX frames, a 300-file run), under the sanitizers
set -euo pipefail
cd "$(dirname "$0")"
total_started=$SECONDS
bash scripts/install-deps.sh

# Formatting is checked, not changed: `clang-format -i` on the files it names mends them.
find app bench cli core dmx fuzz link receive sim tests update -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

# Every source and script file names its licence in its first lines. The files are git's when the
# sources are a checkout of their own; a source archive, or a checkout without git, is searched instead.
licensed_files() {
  local patterns=('*.cpp' '*.h' '*.sh' '*.cmake' '*CMakeLists.txt' '*.rules' '*.desktop' '*.1.in' '*.qrc' '*.xml'
    '*.yml')
  if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    git ls-files "${patterns[@]}"
  else
    local names=()
    for pattern in "${patterns[@]}"; do names+=(-o -name "$pattern"); done
    find . \( -path './build*' -o -path './.git' \) -prune -o -type f \( "${names[@]:1}" \) -print | sed 's|^\./||'
  fi
  echo .ci/run
  echo packaging/debian/reload-udev-rules
}
unlicensed=$(licensed_files | while IFS= read -r file; do
  head -3 "$file" | grep -q 'SPDX-License-Identifier: Apache-2.0' || echo "$file"
done)
[ -z "$unlicensed" ] || { echo "No SPDX-License-Identifier line in: $unlicensed" >&2; exit 1; }

# The workflows no machine here runs are held to their form at least.
yamllint -s -c .yamllint.yml .github/workflows

# Builds the preset's tree and runs the tests of a test preset, saying how long that took: building
# (configuring included) and testing apart. Whatever was started beside the build (below) has ended
# before a test runs: some tests need the real clock to themselves.
suite() {
  local build=$1 tests=${2:-$1} started=$SECONDS built
  cmake --preset "$build" >/dev/null
  cmake --build --preset "$build"
  end_fuzzing
  built=$SECONDS
  QT_QPA_PLATFORM=offscreen ctest --preset "$tests" -j "$(nproc)"
  echo "== $tests: $((SECONDS - started)) s (build $((built - started)) s, tests $((SECONDS - built)) s)"
}

# The 60 s fuzzing run keeps one processor busy and leaves the other idle, so it runs beside a build
# (its output kept apart, and shown when it ends).
fuzzing=
fuzz_log=
start_fuzzing() {
  fuzz_log=$(mktemp)
  fuzz_started=$SECONDS
  fuzz/run.sh 60 >"$fuzz_log" 2>&1 &
  fuzzing=$!
}
end_fuzzing() {
  [ -n "$fuzzing" ] || return 0
  local status=0
  wait "$fuzzing" || status=$?
  fuzzing=
  if [ "$status" -ne 0 ]; then
    cat "$fuzz_log"
    echo "The fuzzing run failed (exit status $status)." >&2
    exit "$status"
  fi
  tail -n 12 "$fuzz_log"
  rm -f "$fuzz_log"
  echo "== fuzz: $((SECONDS - fuzz_started)) s, beside the build before it ended"
}

if [ "${1:-}" = soak ]; then
  suite asan soak
  exit
fi

preset=default
[ -n "${CI:-}" ] && preset=ci
suite "$preset"
suite core
suite mingw
suite tsan
start_fuzzing
suite asan
started=$SECONDS
packaging/test-package.sh "$preset"
echo "== package: $((SECONDS - started)) s"
echo "== total: $((SECONDS - total_started)) s"
