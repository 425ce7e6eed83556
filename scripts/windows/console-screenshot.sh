#!/usr/bin/env bash
# Takes docs/images/windows-console.png: a Write by vrxtool.exe in a Windows
# console (Japanese display language, code page 932 set first, as on a
# Japanese Windows), against the Linux simulator mapped as COM5.  Run by hand
# after scripts/build-windows.sh; a build never changes tracked pictures.
# Usage: console-screenshot.sh [WINDOWS_BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build-windows/build}" && pwd)
linux=$root/build
work=$root/build-windows/console-screenshot
rm -rf "$work"
mkdir -p "$work"

for file in "$build/tools/vrxtool.exe" "$build/writer/gui/VRXWriter.exe" "$linux/tools/vrxsim/vrxsim"; do
  [ -f "$file" ] || { echo "console-screenshot: $file is missing" >&2; exit 1; }
done

# shellcheck source=wine-env.sh
source "$root/scripts/windows/wine-env.sh"
wine_setup "$work/wine"
wine_display_language ja "$work/locales"
"$WINE" reg add 'HKCU\Console' /v ScreenBufferSize /t REG_DWORD /d 0x012c0050 /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Console' /v WindowSize /t REG_DWORD /d 0x00180050 /f >/dev/null 2>&1

sim_pid=""
console_pid=""
cleanup() {
  [ -z "$console_pid" ] || kill "$console_pid" 2>/dev/null || true
  [ -z "$sim_pid" ] || { kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; }
  wine_unmap_port COM5
  wine_stop
  private_x_stop
}
trap cleanup EXIT
private_x_start 1400x800x24

"$linux/tools/vrxsim/vrxsim" --link "$work/module" --flash "$work/flash.bin" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do [ -e "$work/module" ] && break; sleep 0.1; done
[ -e "$work/module" ] || { echo "console-screenshot: vrxsim did not start" >&2; exit 1; }
wine_map_port COM5 "$(readlink -f "$work/module")"
LD_PRELOAD=$(wine_parity_shim "$work")
export LD_PRELOAD

cp "$root/tests/data/sample.vrx" "$work/keys.vrx"
cp "$build/tools/vrxtool.exe" "$build/writer/gui/VRXWriter.exe" "$work/"
cp -r "$build/tools/locale" "$work/" 2>/dev/null || true
folder=$("$WINE" winepath -w "$work" 2>/dev/null | tr -d '\r')
# The marker file tells this script that the Write is over.
"$WINE" explorer /desktop=vrx,1320x520 wineconsole cmd /k \
  "cd /d $folder & chcp 932 & vrxtool.exe program keys.vrx --port COM5 --container VRXWriter.exe & type nul > done.flag" \
  >/dev/null 2>&1 &
console_pid=$!
for _ in $(seq 1200); do [ -e "$work/done.flag" ] && break; sleep 0.1; done
[ -e "$work/done.flag" ] || { echo "console-screenshot: the Write did not end in 2 minutes" >&2; exit 1; }
sleep 1  # the console's last lines are drawn
import -window root "$work/shot.png"
convert "$work/shot.png" -trim +repage "$root/docs/images/windows-console.png"
echo "console-screenshot: docs/images/windows-console.png"
