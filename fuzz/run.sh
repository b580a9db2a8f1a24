#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the update-file fuzzer (preset "fuzz", clang) and runs it for SECONDS (default 60).
# New inputs grow build-fuzz/corpus from the seeds in fuzz/corpus; an input that breaks a check is
# written to build-fuzz/crashes/ and the run fails. Turn such an input into a regression by copying it
# into fuzz/regressions/ (the tests run every file there and in fuzz/corpus).
#   fuzz/run.sh            60 s, as test.sh runs it
#   fuzz/run.sh 1800 2     half an hour on 2 cores
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
workers=${2:-1}

# An entry that names no file any more leaves out nothing, and the fuzzer quietly slows down again.
while read -r entry; do
  case $entry in
    src:\*/*) [ -e "${entry#src:\*/}" ] || { echo "fuzz/coverage-ignore.txt: no such file: ${entry#src:\*/}" >&2; exit 1; } ;;
  esac
done < fuzz/coverage-ignore.txt

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build-fuzz/corpus build-fuzz/crashes
options=(-max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1
         -artifact_prefix=build-fuzz/crashes/)
if [ "$workers" -gt 1 ]; then
  options+=(-fork="$workers" -ignore_crashes=0)
fi
build-fuzz/bin/update_file_fuzz "${options[@]}" build-fuzz/corpus fuzz/corpus fuzz/regressions
