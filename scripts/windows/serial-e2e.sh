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

# The harness's parity shim (see pty_parity_shim.c), built for this run.
cc -shared -fPIC -O2 -o "$work/pty_parity_shim.so" "$root/scripts/windows/pty_parity_shim.c" -ldl

sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  "$WINE" reg delete 'HKLM\Software\Wine\Ports' /v COM5 /f >/dev/null 2>&1 || true
}
trap cleanup EXIT

"$linux/tools/vrxsim/vrxsim" --link "$work/module" --flash "$work/flash.bin" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do [ -e "$work/module" ] && break; sleep 0.1; done
[ -e "$work/module" ] || { echo "serial-e2e: vrxsim did not start" >&2; exit 1; }
pty=$(readlink -f "$work/module")

# Wine reads the port mapping when its server starts.
"$WINE" reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$pty" /f >/dev/null
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w
"$WINESERVER" -p 2>/dev/null  # a killed server dumps its objects on stderr
rm -f "$WINEPREFIX"/dosdevices/com[0-9]*
ln -s "$pty" "$WINEPREFIX/dosdevices/com5"
export LD_PRELOAD=$work/pty_parity_shim.so

data=$work/sample.vrx
bash "$root/scripts/demo-editor.sh" --write-sample "$data" "$linux"
cd "$work"
echo "serial-e2e: LCD test on COM5"
"$WINE" "$tool_exe" lcd-test sample.vrx --port COM5
echo "serial-e2e: Write on COM5"
"$WINE" "$tool_exe" program sample.vrx --port COM5 --container "$container"
unset LD_PRELOAD

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
