#!/usr/bin/env bash
# Builds everything and passes all tests: the release build, the address and
# undefined-behaviour sanitizer build, the thread-sanitizer build of the threaded
# parts, and a short run of every fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

for preset in release tsan asan fuzz; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

scripts/fuzz.sh "${FUZZ_SECONDS:-20}"

ctest --preset release -j2
ctest --preset tsan -j2
ctest --preset asan -j2
