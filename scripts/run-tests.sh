#!/usr/bin/env bash
# Runs every test.  GUI tests need an X display: a private Xvfb at 96 DPI is
# started for the run (xvfb-run), so this works on a machine without one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/check-layers.sh   # the includes keep to the layers
export XDG_CONFIG_HOME="$(mktemp -d)"   # never touch the user's own profiles
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  ctest --test-dir build --output-on-failure -j2 "$@"
