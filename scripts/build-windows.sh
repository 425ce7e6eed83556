#!/usr/bin/env bash
# Builds the Windows programs on Debian 12 by cross-compiling, tests them
# under Wine and packs them into build-windows/: a portable ZIP and a 64-bit
# installer.  Every step must succeed; a failure stops the script.
#   VRX_SKIP_DEPS=1   do not run install-deps.sh (packages already there)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
export VRX_MINGW_PREFIX=${VRX_MINGW_PREFIX:-/opt/vrx-mingw64}
export CCACHE_BASEDIR=$repo CCACHE_NOHASHDIR=1
out=$repo/build-windows
build=$out/build
started=$(date +%s)

step() { echo "== build-windows: $* ($(( $(date +%s) - started )) s)"; }

if [ -z "${VRX_SKIP_DEPS:-}" ]; then
  step "packages"
  bash scripts/install-deps.sh --windows
fi

step "cross-built libraries in $VRX_MINGW_PREFIX"
bash scripts/build-windows-prefix.sh

# shellcheck source=windows/wine-env.sh
source scripts/windows/wine-env.sh
mkdir -p "$out"
wine_setup "$out/wine"
wine_start
trap wine_stop EXIT

step "configure and build"
# nlohmann-json is headers only; a copy keeps the host's /usr/include (and
# its glibc headers) off the MinGW include path.
json=$out/host-headers
mkdir -p "$json/include" "$json/share/cmake"
cp -r /usr/include/nlohmann "$json/include/"
cp -r /usr/share/cmake/nlohmann_json "$json/share/cmake/"
cmake -S . -B "$build" -G Ninja --toolchain "$repo/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE" \
  -Dnlohmann_json_DIR="$json/share/cmake/nlohmann_json" \
  -DwxWidgets_CONFIG_EXECUTABLE="$VRX_MINGW_PREFIX/bin/wx-config" >/dev/null
cmake --build "$build"

step "unit tests under Wine"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

# The Linux simulator and vrxtool are the reference for the serial run.
if [ ! -x build/bin/vrxsim ] || [ ! -x build/bin/vrxtool ]; then
  step "Linux build (reference vrxsim and vrxtool)"
  bash scripts/build.sh
fi
step "serial end to end under Wine"
bash scripts/windows/serial-e2e.sh "$build" "$out/serial-e2e"

step "programs under Wine"
bash scripts/windows/gui-smoke.sh "$build" "$out/gui-smoke"

step "packages"
bash scripts/windows/package.sh "$build" "$out"

step "done"
