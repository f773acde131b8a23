#!/usr/bin/env bash
# Runs every fuzzer of the fuzz build for a few seconds each, starting from the
# corpus kept beside its source (<folder>/fuzz/corpus); new finds stay in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
status=0
for fuzzer in $(find build/fuzz -type f -perm -u+x -name '*_fuzzer' | sort); do
  name=$(basename "$fuzzer")
  work="build/fuzz/corpus/$name"
  mkdir -p "$work"
  seeds=()
  [ -d "${name%%_*}/fuzz/corpus" ] && seeds+=("${name%%_*}/fuzz/corpus")
  echo "== $name for ${seconds}s"
  if ! "$fuzzer" -max_total_time="$seconds" -max_len=8192 -print_final_stats=0 "$work" "${seeds[@]}" \
      >"build/fuzz/$name.log" 2>&1; then
    tail -n 40 "build/fuzz/$name.log"
    status=1
  fi
  grep -E '^Done [0-9]+ runs' "build/fuzz/$name.log" || true
done
exit $status
