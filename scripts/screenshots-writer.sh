#!/usr/bin/env bash
# Makes docs/images/writer-success.png, writer-failure.png and
# writer-progress.png: the real VRXWriter under a virtual X server,
# programming the simulated module (vrxsim) mapped to COM1 three times in a
# row (so the log has scrolled), then failing against a module that does
# not answer, then halfway through a Write to a module that answers at the
# pace of a real 38400 bit/s line (the progress bar and the time left).
#
# Usage: scripts/screenshots-writer.sh [BUILD_DIR]     (default: ./build)
# With VRX_LANG=en (or another language) the pictures are of that language
# and named writer-success-en.png and so on; with GDK_SCALE=2 they are
# named writer-success-scale2.png and so on.  VRX_SHOTS lists the pictures
# to make (default: "success failure progress").
# Needs xvfb-run, xdotool and ImageMagick's import (openbox if installed); builds nothing itself
# (VRXWriter, vrxsim and vrxtool must exist in BUILD_DIR).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
if [[ -z "${VRX_SCREENSHOT_INNER:-}" ]]; then
  # Room for the doubled window at GDK_SCALE=2.
  screen="1024x768x24"
  [[ "${GDK_SCALE:-1}" != 1 ]] && screen="2048x1536x24"
  exec env VRX_SCREENSHOT_INNER=1 xvfb-run -a -s "-screen 0 $screen -dpi 96" "$0" "$build"
fi

images="$root/docs/images"
suffix=""
[[ -n "${VRX_LANG:-}" && "${VRX_LANG}" != ja ]] && suffix="-${VRX_LANG}"
[[ "${GDK_SCALE:-1}" != 1 ]] && suffix="$suffix-scale${GDK_SCALE}"
shots="${VRX_SHOTS:-success failure progress}"
wants() { [[ " $shots " == *" $1 "* ]]; }
work="$(mktemp -d "${TMPDIR:-/tmp}/vrx-writer-shot.XXXXXX")"
writer_pid=""
sim_pid=""
wm_pid=""
cleanup() {
  [[ -n "$writer_pid" ]] && kill "$writer_pid" 2>/dev/null || true
  [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null || true
  [[ -n "$wm_pid" ]] && kill "$wm_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_module() {  # extra vrxsim options, e.g. --fault connect=silentx*
  "$build/tools/vrxsim/vrxsim" --link "$work/module" --flash "$work/flash.bin" "$@" \
    >"$work/sim.out" 2>&1 &
  sim_pid=$!
  for _ in $(seq 50); do [[ -e "$work/module" ]] && return; sleep 0.1; done
  echo "screenshots-writer: vrxsim did not start" >&2
  exit 1
}

stop_module() {
  kill "$sim_pid" && wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
  rm -f "$work/module"
}

export XDG_CONFIG_HOME="$work/config"     # a fresh profile: COM1, 38400
export GSETTINGS_BACKEND=memory           # no session bus under Xvfb
export VRX_PORT_MAP="$work/ports.conf"    # COM1 = the simulated module
echo "COM1=$work/module" >"$VRX_PORT_MAP"
profile="$XDG_CONFIG_HOME/Zentrolith/VRXWriter.conf"

# A window manager where one is installed, as on a desktop.
if command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  sleep 1
fi

"$build/tools/vrxtool" new "$work/keyboard.vrx" >/dev/null
start_module

"$build/writer/gui/VRXWriter" "$work/keyboard.vrx" 2>"$work/writer.log" &
writer_pid=$!
window="$(xdotool search --sync --onlyvisible --name '^VRXWriter$' | head -n 1)"
xdotool windowfocus --sync "$window"
sleep 0.5

press_write() {
  # 書込み sits at 154,218 (50 x 14 dialog units): 7 x 12 pixels per 4 x 8
  # units at the 96 DPI of the virtual screen, times GDK_SCALE.
  local scale="${GDK_SCALE:-1}"
  xdotool mousemove --window "$window" $(((154 + 25) * 7 * scale / 4)) \
    $(((218 + 7) * 12 * scale / 8)) click 1
}

# The profile is written only at the end of a successful Write, so its
# return tells when each Write has ended.
write_and_wait() {
  rm -f "$profile"
  press_write
  for _ in $(seq 600); do
    grep -q '^COM=' "$profile" 2>/dev/null && break
    sleep 0.1
  done
  grep -q '^COM=' "$profile" || { echo "screenshots-writer: the Write did not succeed" >&2; exit 1; }
  sleep 0.5
}

written=()
if wants success; then
  for _ in 1 2 3; do write_and_wait; done
  import -window "$window" "$images/writer-success$suffix.png"
  written+=("writer-success$suffix.png")
fi

if wants failure; then
  # The module stops answering: the next Write fails after the time-outs.
  stop_module
  start_module --fault 'connect=silentx*'
  press_write
  sleep 9
  import -window "$window" "$images/writer-failure$suffix.png"
  written+=("writer-failure$suffix.png")
fi

if wants progress; then
  # A module that answers at the pace of the line takes some 20 s for a
  # Write that rewrites block 0: the picture is taken halfway, in block 4.
  stop_module
  start_module --wire-time
  press_write
  sleep 12
  import -window "$window" "$images/writer-progress$suffix.png"
  written+=("writer-progress$suffix.png")
fi

if [[ -s "$work/writer.log" ]]; then
  echo "screenshots-writer: VRXWriter wrote to stderr:" >&2
  cat "$work/writer.log" >&2
fi
echo "wrote in $images: ${written[*]}"
