#!/usr/bin/env bash
# The main job: program a simulated VRX7100 end to end.  With a display this
# opens VRXEditor against the simulated module; without one it says so and
# does the same job through vrxtool.  See scripts/demo-editor.sh.
set -euo pipefail
exec bash "$(dirname "$0")/demo-editor.sh" "$@"
