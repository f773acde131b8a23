#!/usr/bin/env bash
# Velcor as the terminal program's updater, in a demo folder.
# A demo folder holds a stand-in terminal program (version 1.0) and an update image
# (version 2.0); "velcor rerun" waits 10 s for the old program to exit, installs
# the image in its place and starts it again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target velcor

demo=$PWD/demo-run/launcher
rm -rf "$demo"
mkdir -p "$demo/prefix"
export KERROW_PREFIX=$demo/prefix

program() {  # a stand-in terminal program that notes its start
  printf '#!/bin/sh\necho "$(date +%%T) Tormela %s started" >> "$PWD/started.log"\n' "$1"
}
program 1.0 > "$demo/Tormela.exe"
chmod 755 "$demo/Tormela.exe"
{ program 2.0; echo "exit 0"; head -c 460000 /dev/zero | tr '\0' '#'; } > "$demo/Software.dat"

echo
echo "Demo folder: $demo"
echo "Before: $(sed -n 2p "$demo/Tormela.exe")"
echo "Update image Software.dat: $(stat -c %s "$demo/Software.dat") bytes (accepted between 450000 and 3000000)"
echo "Running: velcor rerun Tormela   (waits 10 s for the old program to exit)"
(cd "$demo" && "$OLDPWD/build/release/velcor/velcor" rerun Tormela)
echo "velcor exited with code $?"
for _ in $(seq 50); do [ -s "$demo/started.log" ] && break; sleep 0.1; done
echo "After:  $(sed -n 2p "$demo/Tormela.exe")"
echo "Software.dat left behind: $([ -e "$demo/Software.dat" ] && echo yes || echo no)"
echo "started.log:"
sed 's/^/  /' "$demo/started.log"
