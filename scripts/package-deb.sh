#!/usr/bin/env bash
# Builds the Debian package vrx7100-tools_<version>_<arch>.deb into
# build/packages/ with CPack's DEB generator from the build in ./build (the
# one scripts/build.sh makes; configured and built here if needed): the
# programs installed stripped, the writer's firmware payload appended again,
# dependencies from dpkg-shlibdeps.  Then lintian checks it, if installed.
#
# Usage: scripts/package-deb.sh [extra CMake configure arguments]
#   e.g. -DVRX_FIRMWARE_IMAGE=/path/to/real.bin -DVRX_FIRMWARE_KEY=...
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
build="$root/build"
out="$build/packages"

if [[ ! -f "$build/CMakeCache.txt" || $# -gt 0 ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" --config CPackConfig.cmake)
rm -rf "$out/_CPack_Packages"
deb="$(ls -t "$out"/vrx7100-tools_*.deb | head -n 1)"
echo "package: $deb"
if command -v lintian >/dev/null; then
  # Errors fail; the warnings left are explained in docs/packaging.md.
  lintian --fail-on error --tag-display-limit 0 "$deb"
fi
