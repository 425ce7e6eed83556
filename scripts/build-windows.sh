#!/usr/bin/env bash
# Builds the Windows programs on Debian 12 by cross-compiling, tests them
# under Wine and packs them into build-windows/ (a ZIP and an installer).
#   scripts/build-windows.sh            everything
#   VRX_SKIP_DEPS=1                     do not run install-deps.sh
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
export VRX_MINGW_PREFIX=${VRX_MINGW_PREFIX:-/opt/vrx-mingw64}

step() { echo "== build-windows: $* ($(date +%T))"; }

if [ -z "${VRX_SKIP_DEPS:-}" ]; then
  step "packages"
  bash scripts/install-deps.sh --windows
fi

step "cross-built libraries in $VRX_MINGW_PREFIX"
bash scripts/build-windows-prefix.sh
