#!/usr/bin/env bash
# vrxtool.exe under Wine against the Linux simulator: the simulator's
# pseudo-terminal is mapped as COM5 through HKLM\Software\Wine\Ports (never a
# real port), an LCD test and a Write run, and the flash must then equal the
# image the Linux vrxtool builds from the same data file.
# Usage: serial-e2e.sh WINDOWS_BUILD_DIR WORK_DIR   (Wine set up by the caller)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
linux=$root/build
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)

tool_exe=$build/tools/vrxtool.exe
container=$build/writer/gui/VRXWriter.exe
[ -f "$container" ] || container=$build/tests/writer/container_dummy_program.exe
for file in "$tool_exe" "$container" "$linux/tools/vrxsim/vrxsim" "$linux/tools/vrxtool"; do
  [ -f "$file" ] || { echo "serial-e2e: $file is missing" >&2; exit 1; }
done

# shellcheck source=wine-env.sh
source "$root/scripts/windows/wine-env.sh"
shim=$(wine_parity_shim "$work")

sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  wine_unmap_port COM5
}
trap cleanup EXIT

"$linux/tools/vrxsim/vrxsim" --link "$work/module" --flash "$work/flash.bin" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do [ -e "$work/module" ] && break; sleep 0.1; done
[ -e "$work/module" ] || { echo "serial-e2e: vrxsim did not start" >&2; exit 1; }
pty=$(readlink -f "$work/module")

wine_map_port COM5 "$pty"
export LD_PRELOAD=$shim

# A name outside ASCII: the data file must be found under it, and the log
# must show it as typed.
data=$work/見本データ.vrx
cp "$root/tests/data/sample.vrx" "$data"
cd "$work"
echo "serial-e2e: LCD test on COM5"
"$WINE" "$tool_exe" lcd-test 見本データ.vrx --port COM5
echo "serial-e2e: Write on COM5"
"$WINE" "$tool_exe" program 見本データ.vrx --port COM5 --container "$container" | tee "$work/program.log"
unset LD_PRELOAD
grep -q '見本データ.vrx' "$work/program.log" ||
  { echo "serial-e2e: the log does not name the data file as typed" >&2; exit 1; }

"$linux/tools/vrxtool" image "$data" "$work/expected.bin" --container "$linux/writer/gui/VRXWriter"
# Blocks 0 (0x0000-0x03FF) and 4 (0x1000-0x7FFF) are programmed; the
# simulator saves its flash when the port closes.
for _ in $(seq 50); do
  cmp -s -n 1024 "$work/expected.bin" "$work/flash.bin" &&
    cmp -s -i 4096 "$work/expected.bin" "$work/flash.bin" && break
  sleep 0.1
done
cmp -n 1024 "$work/expected.bin" "$work/flash.bin"
cmp -i 4096 "$work/expected.bin" "$work/flash.bin"
echo "serial-e2e: the module's flash holds the Linux image"

# Windows' own advice: ports named as the user knows them, Device Manager,
# nothing of Linux's groups, services or manual pages.
linux_advice='dialout|ModemManager|brltty|man vrxtool|/usr/share|/dev/|\\\.\\|¥'
no_linux_advice() {  # WHAT FILE
  if grep -E -q "$linux_advice" "$2"; then
    echo "serial-e2e: $1 gives Linux advice or a device path:" >&2
    cat "$2" >&2
    exit 1
  fi
}
if "$WINE" "$tool_exe" lcd-test 見本データ.vrx --port COM7 2>"$work/com7.err"; then
  echo "serial-e2e: lcd-test on the absent COM7 succeeded" >&2; exit 1
fi
tr -d '\r' <"$work/com7.err" >"$work/com7.txt"
grep -q 'COM7' "$work/com7.txt" && grep -q 'Device Manager' "$work/com7.txt" ||
  { echo "serial-e2e: a failed open of COM7 says:" >&2; cat "$work/com7.txt" >&2; exit 1; }
no_linux_advice "a failed open of COM7" "$work/com7.txt"
"$WINE" "$tool_exe" doctor >"$work/doctor.out" 2>&1 || true
tr -d '\r' <"$work/doctor.out" >"$work/doctor.txt"
grep -q 'COM5' "$work/doctor.txt" ||
  { echo "serial-e2e: doctor does not list COM5:" >&2; cat "$work/doctor.txt" >&2; exit 1; }
no_linux_advice "doctor" "$work/doctor.txt"
"$WINE" "$tool_exe" ports | tr -d '\r' >"$work/ports.txt"
grep -q '^COM5 ' "$work/ports.txt" && ! grep -q '^-' "$work/ports.txt" ||
  { echo "serial-e2e: ports lists COM5 as:" >&2; cat "$work/ports.txt" >&2; exit 1; }
echo "serial-e2e: port failures, doctor and ports give Windows' own advice"
