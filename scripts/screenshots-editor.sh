#!/usr/bin/env bash
# Makes docs/images/editor-keymap.png, editor-cgram.png and editor-options.png:
# the real VRXEditor under a virtual X server with a sample data file opened
# through 開く (two keys, eight characters and a few options set), one
# picture per page.
#
# Usage: scripts/screenshots-editor.sh [BUILD_DIR]     (default: ./build)
# With VRX_LANG=en (or another language) the pictures are of that language
# and named editor-keymap-en.png and so on.
# Needs xvfb-run, xdotool and ImageMagick's import; builds nothing itself
# (VRXEditor, vrxtool and vrxsim must exist in BUILD_DIR).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
if [[ -z "${VRX_SCREENSHOT_INNER:-}" ]]; then
  exec env VRX_SCREENSHOT_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/vrx-editor-shot.XXXXXX")"
editor_pid=""
cleanup() {
  [[ -n "$editor_pid" ]] && kill "$editor_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The checked-in sample: eight characters, keys 1 and 2, options 0x004D
# (BAT code off, LCD pins, output port, serial key codes), 9600 bit/s, PO5
# low.
sample="$work/sample.vrx"
cp "$root/tests/data/sample.vrx" "$sample"

export XDG_CONFIG_HOME="$work/config"          # a fresh profile: COM1, 38400
export GSETTINGS_BACKEND=memory                # no session bus under Xvfb
export VRX_PORT_MAP="$work/ports.conf"         # COM1 mapped to a fixed name
echo "COM1=/dev/ttyUSB0" >"$VRX_PORT_MAP"

"$build/editor/gui/VRXEditor" 2>"$work/editor.log" &
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
[[ -n "$chooser" ]] || { echo "screenshots-editor: no file dialog appeared" >&2; exit 1; }
xdotool windowfocus --sync "$chooser"
sleep 0.5
xdotool key ctrl+l
xdotool type --delay 5 "$sample"
xdotool key Return
sleep 1
xdotool windowfocus --sync "$window"

mkdir -p "$root/docs/images"
suffix=""
[[ -n "${VRX_LANG:-}" && "${VRX_LANG}" != ja ]] && suffix="-${VRX_LANG}"
shoot() {  # NAME TAB_X  (the tabs sit on one row at the top of the sheet)
  xdotool mousemove --window "$window" "$2" 22 click 1
  sleep 1
  import -window "$window" "$root/docs/images/editor-$1$suffix.png"
  echo "wrote docs/images/editor-$1$suffix.png"
}
shoot keymap "${VRX_KEYMAP_TAB_X:-45}"
shoot cgram "${VRX_CGRAM_TAB_X:-115}"
shoot options "${VRX_OPTION_TAB_X:-185}"

if [[ -s "$work/editor.log" ]]; then
  echo "screenshots-editor: the editor wrote to stderr:" >&2
  cat "$work/editor.log" >&2
fi
