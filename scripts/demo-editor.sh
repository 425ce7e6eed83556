#!/usr/bin/env bash
# Tries VRXEditor and VRXWriter on a simulated VRX7100, with no hardware:
#
#   1. starts vrxsim, which draws its LCD in this terminal;
#   2. maps COM1 to it through a temporary port mapping ($VRX_PORT_MAP), with
#      a temporary profile folder, so your own settings stay untouched;
#   3. starts VRXEditor: draw characters on the CGRAM page, press テスト and
#      watch them appear on the simulated LCD below; save, press 書込み and
#      watch VRXWriter program the simulated module.
#
# Without a display it says so and runs the same job through vrxtool.
# Everything it started and made is removed when the editor closes (or on
# Ctrl-C).
#
# Usage: scripts/demo-editor.sh [BUILD_DIR]     (default: ./build)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" 2>/dev/null && pwd)" || {
  echo "demo-editor: no build folder ${1:-$root/build}; run scripts/build.sh first" >&2
  exit 1
}
editor="$build/editor/gui/VRXEditor"
writer="$build/writer/gui/VRXWriter"
sim="$build/tools/vrxsim/vrxsim"
tool="$build/tools/vrxtool"
for program in "$sim" "$tool"; do
  [[ -x "$program" ]] || { echo "demo-editor: $program is missing; run scripts/build.sh" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/vrx-demo.XXXXXX")"
sim_pid=""
cleanup() {
  trap - EXIT INT TERM
  # A writer started by 書込み may still be programming the module.
  while pgrep -f "^$work/bin/VRXWriter( |\$)" >/dev/null 2>&1; do
    echo "demo-editor: waiting for VRXWriter to close..." >&2
    sleep 2
  done
  if [[ -n "$sim_pid" ]]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The simulated module: LCD drawn here, flash kept for the session.
"$sim" --lcd --link "$work/module" --flash "$work/flash.bin" > >(sed -u 's/^/vrxsim | /') &
sim_pid=$!
for _ in $(seq 100); do
  [[ -e "$work/module" ]] && break
  kill -0 "$sim_pid" 2>/dev/null || { echo "demo-editor: vrxsim did not start" >&2; exit 1; }
  sleep 0.05
done
[[ -e "$work/module" ]] || { echo "demo-editor: vrxsim did not start" >&2; exit 1; }

export VRX_PORT_MAP="$work/ports.conf"
echo "COM1=$work/module" >"$VRX_PORT_MAP"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "demo-editor: no display, so no editor window; doing the same job with vrxtool."
  data="$work/demo.vrx"
  # Eight characters drawn (heart, smiley, bell, note, arrow, tick, frame,
  # padlock), two keys and some options.
  cp "$root/tests/data/sample.vrx" "$data"
  echo "== LCD test on COM1 (the simulated module)"
  "$tool" lcd-test "$data" --port COM1
  echo "== Programming the simulated module on COM1"
  "$tool" program "$data" --port COM1 --container "$writer"
  echo "== Checking the module's flash against the image the writer builds"
  "$tool" image "$data" "$work/expected.bin" --container "$writer"
  # vrxsim saves its flash when the host closes the port; blocks 0
  # (0x0000-0x03FF) and 4 (0x1000-0x7FFF) are programmed, 0x0400-0x0FFF never.
  for _ in $(seq 50); do
    cmp -s -n 1024 "$work/expected.bin" "$work/flash.bin" &&
      cmp -s -i 4096 "$work/expected.bin" "$work/flash.bin" && break
    sleep 0.1
  done
  if cmp -s -n 1024 "$work/expected.bin" "$work/flash.bin" &&
     cmp -s -i 4096 "$work/expected.bin" "$work/flash.bin"; then
    echo "The module's flash holds the image: done."
  else
    echo "demo-editor: the module's flash differs from the image" >&2
    exit 1
  fi
  exit 0
fi

for program in "$editor" "$writer"; do
  [[ -x "$program" ]] || { echo "demo-editor: $program is missing; run scripts/build.sh" >&2; exit 1; }
done
# 書込み starts the VRXWriter that lies beside the editor's own file.
mkdir -p "$work/bin"
cp "$editor" "$writer" "$work/bin/"

cat <<TEXT
The simulated VRX7100 is on COM1 ($work/module).
In VRXEditor: CGRAM page -> click dots -> テスト (the LCD is drawn here),
then 保存 and 書込み to program the simulated module. Close the editor to end.
TEXT
(cd "$work" && "$work/bin/VRXEditor")
