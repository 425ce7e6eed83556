#!/usr/bin/env bash
# Starts VRXEditor.exe and VRXWriter.exe under Wine, each in a Wine virtual
# desktop on a private X server, checks that the window stays up and is
# drawn, and keeps a screenshot of each in docs/images/.
# Usage: gui-smoke.sh WINDOWS_BUILD_DIR WORK_DIR   (Wine set up by the caller)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
rm -rf "$work"
mkdir -p "$work"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=""
cleanup() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

smoke() {  # smoke EXE SCREENSHOT
  local exe=$1 shot=$2
  "$WINE" explorer /desktop=vrx,1024x768 "$exe" >/dev/null 2>&1 &
  program_pid=$!
  sleep 10
  kill -0 "$program_pid" 2>/dev/null || { echo "gui-smoke: $(basename "$exe") exited" >&2; exit 1; }
  import -window root "$work/shot.png"
  # An empty desktop has a handful of colours; a drawn dialog with text many.
  local colours
  colours=$(identify -format %k "$work/shot.png")
  [ "$colours" -gt 50 ] || { echo "gui-smoke: $(basename "$exe") drew nothing" >&2; exit 1; }
  convert "$work/shot.png" -trim +repage "$shot"
  "$WINESERVER" -k 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
  echo "gui-smoke: $(basename "$exe") is up; screenshot $shot"
}

smoke "$build/editor/gui/VRXEditor.exe" "$root/docs/images/windows-editor.png"
smoke "$build/writer/gui/VRXWriter.exe" "$root/docs/images/windows-writer.png"
