#!/usr/bin/env bash
# Makes docs/images/editor-cgram.png: the real VRXEditor under a virtual X
# server, with a data file of eight drawn characters opened through 開く and
# the CGRAM page shown.
#
# Usage: scripts/screenshot-cgram.sh [BUILD_DIR]     (default: ./build)
# Needs xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
if [[ -z "${VRX_SCREENSHOT_INNER:-}" ]]; then
  exec env VRX_SCREENSHOT_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/vrx-shot.XXXXXX")"
editor_pid=""
cleanup() {
  if [[ -n "$editor_pid" ]]; then kill "$editor_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$root/scripts/demo-editor.sh" --write-sample "$work/characters.vrx" "$build"
export XDG_CONFIG_HOME="$work/config"          # a fresh profile: COM1, 38400
export GSETTINGS_BACKEND=memory                # no session bus under Xvfb
export VRX_PORT_MAP="$work/ports.conf"         # COM1 mapped to a fixed name
echo "COM1=/dev/ttyUSB0" >"$VRX_PORT_MAP"

"$build/editor/VRXEditor" 2>"$work/editor.log" &
editor_pid=$!
window="$(xdotool search --sync --onlyvisible --name '^VRXEditor$' | head -n 1)"
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key Return                              # 開く is the default button
chooser=""
for _ in $(seq 50); do
  chooser="$(xdotool search --onlyvisible --pid "$editor_pid" --name '.' | grep -vx "$window" | head -n 1 || true)"
  [[ -n "$chooser" ]] && break
  sleep 0.1
done
[[ -n "$chooser" ]] || { echo "screenshot-cgram: no file dialog appeared" >&2; exit 1; }
xdotool windowfocus --sync "$chooser"
sleep 0.5
xdotool key ctrl+l
xdotool type --delay 5 "$work/characters.vrx"
xdotool key Return
sleep 1
# The CGRAM tab, second from the left.
xdotool mousemove --window "$window" "${VRX_CGRAM_TAB_X:-120}" "${VRX_CGRAM_TAB_Y:-18}" click 1
sleep 1
mkdir -p "$root/docs/images"
import -window "$window" "$root/docs/images/editor-cgram.png"
if [[ -s "$work/editor.log" ]]; then
  echo "screenshot-cgram: the editor wrote to stderr:" >&2
  cat "$work/editor.log" >&2
fi
echo "wrote docs/images/editor-cgram.png"
