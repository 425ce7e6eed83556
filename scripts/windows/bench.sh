#!/usr/bin/env bash
# How fast the Windows programs are under Wine, beside the Linux ones on the
# same machine in the same run:
#   - a full write (`vrxtool program`) against the simulator with wire-time
#     emulation, the Linux vrxtool and vrxtool.exe taking turns, each write
#     against a fresh simulated module;
#   - start-up under a warm Wine: vrxtool.exe up to its version line, and
#     each window program until its window is on the screen.
# A benchmark, not a test: it prints the medians and their ratio and fails
# only when a run fails.  Run by hand after scripts/build-windows.sh (about
# three minutes), e.g.
#   bash scripts/windows/bench.sh build-windows/build build-windows/bench
# Usage: bench.sh WINDOWS_BUILD_DIR WORK_DIR [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
rounds=${3:-3}
linux=$root/build
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)

tool_exe=$build/tools/vrxtool.exe
container_exe=$build/writer/gui/VRXWriter.exe
for file in "$tool_exe" "$container_exe" "$linux/tools/vrxsim/vrxsim" "$linux/tools/vrxtool" \
  "$linux/writer/gui/VRXWriter"; do
  [ -f "$file" ] || { echo "bench: $file is missing" >&2; exit 1; }
done

# shellcheck source=wine-env.sh
source "$root/scripts/windows/wine-env.sh"
# A Wine prefix of its own unless the caller set one up.
own_wine=""
if [ -z "${WINEPREFIX:-}" ]; then
  wine_setup "$work/wine"
  wine_start
  own_wine=1
fi
shim=$(wine_parity_shim "$work")
# The Linux vrxtool stores the port in a profile: keep it in the work folder.
export XDG_CONFIG_HOME=$work/config

sim_pid=""
wm_pid=""
cleanup() {
  [ -z "$sim_pid" ] || { kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; }
  wine_unmap_port COM5
  [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
  private_x_stop
  [ -z "$own_wine" ] || wine_stop
}
trap cleanup EXIT

now() { date +%s.%N; }
since() { awk -v start="$1" -v end="${2:-$(now)}" 'BEGIN { printf "%.3f\n", end - start }'; }  # START [END]
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

data=$work/sample.vrx
cp "$root/tests/data/sample.vrx" "$data"
cd "$work"

start_module() {  # a fresh module, in its application, on $work/module
  rm -f "$work/module"
  "$linux/tools/vrxsim/vrxsim" --wire-time --link "$work/module" >"$work/sim.out" 2>&1 &
  sim_pid=$!
  for _ in $(seq 100); do [ -e "$work/module" ] && return; sleep 0.05; done
  echo "bench: vrxsim did not start" >&2
  exit 1
}

stop_module() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
}

write_linux() {
  start_module
  local t0
  t0=$(now)
  "$linux/tools/vrxtool" program sample.vrx --port "$(readlink -f "$work/module")" \
    --container "$linux/writer/gui/VRXWriter" >"$work/linux.log"
  since "$t0"
  stop_module
}

write_wine() {
  start_module
  wine_map_port COM5 "$(readlink -f "$work/module")"
  local t0
  t0=$(now)
  LD_PRELOAD=$shim "$WINE" "$tool_exe" program sample.vrx --port COM5 \
    --container "$container_exe" >"$work/wine.log"
  since "$t0"
  stop_module
}

echo "bench: $rounds full writes each at 38400 bit/s with wire time (Linux, Wine in turn)"
: >"$work/linux.times"
: >"$work/wine.times"
for round in $(seq "$rounds"); do
  write_linux >>"$work/linux.times"
  write_wine >>"$work/wine.times"
  echo "bench:   round $round: Linux $(tail -1 "$work/linux.times") s, Wine $(tail -1 "$work/wine.times") s"
done
linux_write=$(median <"$work/linux.times")
wine_write=$(median <"$work/wine.times")

# Start-up: the server and the program files are warm after one run.
startup_tool() {
  "$WINE" "$tool_exe" --version >/dev/null
  for _ in $(seq 7); do
    local t0
    t0=$(now)
    "$WINE" "$tool_exe" --version >/dev/null
    since "$t0"
  done | median
}

# A window program on a private X server with a window manager: from the
# start to its first visible window.
startup_window() {  # EXE CLASS
  local exe=$1 class=$2
  for run in $(seq 6); do
    local t0 pid shown=""
    t0=$(now)
    "$WINE" "$exe" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1000); do
      if xdotool search --onlyvisible --class "$class" >/dev/null 2>&1; then shown=$(now); break; fi
      sleep 0.01
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ -n "$shown" ] || { echo "bench: $(basename "$exe") showed no window" >&2; exit 1; }
    # The first run warms the files; it is not counted.
    [ "$run" -eq 1 ] || since "$t0" "$shown"
  done | median
}

private_x_start 1280x1024x24
openbox >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

tool_start=$(startup_tool)
editor_start=$(startup_window "$build/editor/gui/VRXEditor.exe" vrxeditor.exe)
writer_start=$(startup_window "$container_exe" vrxwriter.exe)

{
  echo "full write, Linux vrxtool:   $linux_write s (median of $rounds)"
  echo "full write, vrxtool.exe:     $wine_write s (median of $rounds)"
  echo "ratio Wine / Linux:          $(awk -v w="$wine_write" -v l="$linux_write" 'BEGIN { printf "%.3f", w / l }')"
  echo "start-up vrxtool.exe:        $tool_start s"
  echo "start-up VRXEditor.exe:      $editor_start s (to its window)"
  echo "start-up VRXWriter.exe:      $writer_start s (to its window)"
} | tee "$work/bench.txt"
