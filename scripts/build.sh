#!/usr/bin/env bash
# Configures and builds everything (programs, vrxtool, simulator, tests) in
# ./build.  Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build
