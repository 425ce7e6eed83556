#!/usr/bin/env bash
# The layers as the includes state them (every project include is written
# from the repository root, e.g. "device/serial_link.h"):
#   platform/  the OS seams: includes only platform/ (it returns values; the
#              wording in resources/ is for the layers above)
#   config/    the data and the programs' settings: adds nothing from device/
#              or above
#   device/    the module: adds nothing from writer/, editor/, ui/, tools/
#   writer/ (not writer/gui/) and editor/core/: no windows, no ui/
# and none of them includes wx.  Prints each break and exits 1 if there is one.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
forbid() {  # forbid FOLDER-PATTERN INCLUDE-REGEX WHY
  local hits
  hits=$(git ls-files -- "$1" | grep -E '\.(cc|h)$' | grep -v '/gui/' |
         xargs -r grep -nE "^\s*#\s*include\s+[\"<]($2)" || true)
  if [ -n "$hits" ]; then
    echo "check-layers: $3:" >&2
    echo "$hits" >&2
    status=1
  fi
}
forbid platform 'wx/|resources/|config/|device/|writer/|editor/|ui/|tools/' \
  "platform/ includes the programs' texts, a higher layer or wx"
forbid config 'wx/|device/|writer/|editor/|ui/|tools/' "config/ includes device/, a higher layer or wx"
forbid device 'wx/|writer/|editor/|ui/|tools/' "device/ includes a higher layer or wx"
forbid writer 'wx/|editor/|ui/|tools/' "the writer core includes windows or wx"
forbid editor/core 'wx/|writer/|ui/|tools/|editor/gui/' "the editor core includes windows or wx"
# Every project include names its folder.
unrooted=$(git ls-files | grep -E '\.(cc|h|c)$' |
           xargs -r grep -nE '^\s*#\s*include\s+"[^/"]+"' || true)
if [ -n "$unrooted" ]; then
  echo "check-layers: includes not written from the repository root:" >&2
  echo "$unrooted" >&2
  status=1
fi
[ $status -eq 0 ] && echo "check-layers: layers hold"
exit $status
