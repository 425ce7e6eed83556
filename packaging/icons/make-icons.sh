#!/usr/bin/env bash
# Re-makes packaging/icons/vrx7100-tools-SIZE.png from the icon the
# programs draw (ui/program_icon.cc).  Run after changing that drawing and
# commit the PNGs; the gui tests check that they still match it.
#
# Usage: packaging/icons/make-icons.sh [BUILD_DIR]    (default: ./build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../../build}" && pwd)"
cmake --build "$build" --target vrx_icon_export
exporter="$build/packaging/vrx_icon_export"
if [[ -n "${DISPLAY:-}" ]]; then
  "$exporter" "$here"
else
  xvfb-run -a -s "-screen 0 640x480x24" "$exporter" "$here"
fi
ls -1 "$here"/vrx7100-tools-*.png
