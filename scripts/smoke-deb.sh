#!/usr/bin/env bash
# Installs a built vrx7100-tools package with apt, checks what a user gets
# (programs, the writer's payload, menu entries, the .vrx type, manual pages,
# completion) and removes it again, checking nothing is left behind.
# Runs as root (or through sudo).  Needs xvfb-run and xdotool for the
# window check.
#
# Usage: scripts/smoke-deb.sh [PACKAGE.deb]   (default: the newest in build/packages)
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  exec sudo -E bash "$0" "$@"
fi
cd "$(dirname "$0")/.."
deb="$(realpath "${1:-$(ls -t build/packages/vrx7100-tools_*.deb | head -n 1)}")"
version="$(dpkg-deb -f "$deb" Version)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
step() { echo "== $*"; }
fail() { echo "smoke-deb: $*" >&2; exit 1; }

step "install $deb"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq "$deb"

step "programs and version $version"
for program in vrxtool vrxsim VRXEditor VRXWriter; do
  [[ "$(command -v "$program")" == /usr/bin/$program ]] || fail "$program is not in /usr/bin"
  [[ "$("$program" --version)" == "$program $version" ]] || fail "$program --version"
done
VRXWriter --help | grep -q '^Usage: VRXWriter' || fail "VRXWriter --help"

step "vrxtool new, and the installed writer's payload through vrxtool image"
export XDG_CONFIG_HOME="$work/config"
vrxtool new "$work/x.vrx"
head -n 1 "$work/x.vrx" | grep -q '^VRX7100 DATA FILE' || fail "vrxtool new"
vrxtool image "$work/x.vrx" "$work/x.bin"
[[ "$(stat -c %s "$work/x.bin")" == 32768 ]] || fail "vrxtool image"

step "the .vrx type and its handler"
[[ "$(xdg-mime query filetype "$work/x.vrx")" == application/x-vrx ]] || fail "mime type of x.vrx"
cp "$work/x.vrx" "$work/no-extension"
[[ "$(xdg-mime query filetype "$work/no-extension")" == application/x-vrx ]] ||
  fail "mime type from the first line"
grep -q 'application/x-vrx=com.zentrolith.VRXEditor.desktop' /usr/share/applications/mimeinfo.cache ||
  fail "VRXEditor is not a handler of application/x-vrx"
[[ "$(xdg-mime query default application/x-vrx)" == com.zentrolith.VRXEditor.desktop ]] ||
  fail "VRXEditor does not open .vrx files by default"

step "menu entries, metadata, icons"
for id in com.zentrolith.VRXEditor com.zentrolith.VRXWriter; do
  desktop-file-validate "/usr/share/applications/$id.desktop"
  appstreamcli validate --no-net "/usr/share/metainfo/$id.metainfo.xml"
done
for size in 16 22 24 32 48 64 128 256; do
  [[ -f /usr/share/icons/hicolor/${size}x${size}/apps/vrx7100-tools.png ]] || fail "icon $size"
done

step "manual pages and completion"
for page in vrxtool vrxsim VRXEditor VRXWriter; do
  MANWIDTH=80 man "$page" 2>/dev/null | grep -q "vrx7100-tools $version" || fail "man $page"
done
[[ -f /usr/share/bash-completion/completions/vrxtool ]] || fail "bash completion"
[[ -f /usr/share/doc/vrx7100-tools/copyright && -f /usr/share/doc/vrx7100-tools/changelog.gz ]] ||
  fail "copyright or changelog"

step "VRXWriter starts on a display"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  VRXWriter "$1" & pid=$!
  timeout 30 xdotool search --sync --onlyvisible --name "^VRXWriter$" >/dev/null; found=$?
  kill "$pid"; wait "$pid" 2>/dev/null
  exit "$found"' _ "$work/x.vrx" || fail "no VRXWriter window"

step "remove"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 remove -y -qq vrx7100-tools
for path in /usr/bin/vrxtool /usr/bin/VRXWriter /usr/share/applications/com.zentrolith.VRXEditor.desktop \
            /usr/share/man/man1/vrxtool.1.gz /usr/share/doc/vrx7100-tools; do
  [[ ! -e "$path" ]] || fail "$path is left after removal"
done
grep -q 'x-vrx' /usr/share/mime/globs2 && fail "the .vrx type is left after removal"
echo "smoke-deb: all checks passed"
