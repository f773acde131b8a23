#!/usr/bin/env bash
# The main job in a ready demo setting: the configurator opens a sample Tor-Mela.ini
# on a machine prefix with four serial ports and a TMS folder. With a display it opens
# the window; without one it saves a picture of each page and prints where they are.
# The service edition shows the tools the plain one hides; VELCOR_EDITION overrides it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
command -v iconv >/dev/null || { echo "iconv is missing (Debian package libc-bin)" >&2; exit 1; }
cmake --preset release >/dev/null
cmake --build --preset release --target velcor

demo=$PWD/demo-run/editor
rm -rf "$demo"
mkdir -p "$demo/work" "$demo/prefix/dosdevices" "$demo/prefix/drive_c/TMS"
export KERROW_PREFIX=$demo/prefix
for n in 1 2 3 4; do ln -s /dev/null "$demo/prefix/dosdevices/com$n"; done
mkdir -p "$demo/prefix/registry"
printf '[Software\\Kerrow]\nTMSPath=C:\\\\TMS\n' > "$demo/prefix/registry/HKEY_CURRENT_USER.ini"
# The settings file is Windows-1251 with CR LF line ends, as the terminal program keeps it.
iconv -f UTF-8 -t CP1251 demo/Tor-Mela.ini | sed 's/$/\r/' > "$demo/work/Tor-Mela.ini"

# Two virtual SAM readers from a PC/SC service of the demo's own, when none runs.
pcscd_pid=
if [ -x /usr/sbin/pcscd ] && ! { [ -f /run/pcscd/pcscd.pid ] && kill -0 "$(cat /run/pcscd/pcscd.pid)" 2>/dev/null; }; then
  /usr/sbin/pcscd --foreground >/dev/null 2>&1 &
  pcscd_pid=$!
  trap '[ -n "$pcscd_pid" ] && kill "$pcscd_pid" 2>/dev/null; wait 2>/dev/null || true' EXIT
  sleep 1
fi

export VELCOR_EDITION=${VELCOR_EDITION:-service}
velcor=$PWD/build/release/velcor/velcor
cd "$demo/work"
echo "Demo folder: $demo/work (edition: $VELCOR_EDITION)"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: saving the pages offscreen."
  QT_QPA_PLATFORM=offscreen VELCOR_SCREENSHOTS=$demo/screenshots "$velcor"
else
  "$velcor"
fi
echo "default.ini written for the TMS software:"
sed 's/^/  /' "$demo/prefix/drive_c/TMS/default.ini"
