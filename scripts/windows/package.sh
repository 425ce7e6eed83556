#!/usr/bin/env bash
# Packs the Windows build: VRX7100-Tools-<version>-win64.zip (portable) and
# VRX7100-Tools-<version>-win64-setup.exe (NSIS, 64-bit) in OUT_DIR, then
# installs and uninstalls the installer silently under Wine and checks that
# the installed VRXWriter.exe still carries its firmware payload.
# Usage: package.sh WINDOWS_BUILD_DIR OUT_DIR   (Wine set up by the caller)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package: no project version in $build" >&2; exit 1; }
name=VRX7100-Tools-$version-win64

# Installed with --strip: the install step packs VRXWriter.exe again after
# stripping, which would otherwise drop the payload.
stage=$out/stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage/install" --strip >/dev/null
files=$stage/$name
mkdir -p "$files"
for program in VRXEditor.exe VRXWriter.exe vrxtool.exe; do
  cp "$stage/install/bin/$program" "$files/"
done
cp "$root/resources/windows/vrx7100.ico" "$files/VRX7100.ico"
cp "$root/README.md" "$files/"
cp -r "$root/docs" "$files/docs"
# The translations beside the programs, where they look for them.
mkdir -p "$files/locale"
cp -r "$build/locale/en" "$files/locale/"

rm -f "$out/$name.zip"
(cd "$stage" && zip -qr "$out/$name.zip" "$name")
makensis -V2 -DVERSION="$version" -DSOURCE="$files" -DOUTFILE="$out/$name-setup.exe" \
  "$root/packaging/windows/installer.nsi"
echo "package: $out/$name.zip"
echo "package: $out/$name-setup.exe"

# Silent install into the default folder, payload check, silent uninstall.
# (NSIS takes /D= only unquoted, which a path with blanks cannot be.)
target='C:\Program Files\Zentrolith\VRX7100 Tools'
unix_target=$WINEPREFIX/drive_c/Program\ Files/Zentrolith/VRX7100\ Tools
rm -rf "$unix_target"
"$WINE" "$out/$name-setup.exe" /S
# The installer asks for elevation and goes on in a process of its own.
installed() {
  for program in VRXEditor.exe VRXWriter.exe vrxtool.exe Uninstall.exe; do
    [ -f "$unix_target/$program" ] || return 1
  done
}
for _ in $(seq 150); do installed && break; sleep 0.2; done
installed || { echo "package: the installer did not install all programs" >&2; exit 1; }
sleep 1  # the last file may still be being written
sample=$stage/sample.vrx
bash "$root/scripts/demo-editor.sh" --write-sample "$sample" "$root/build"
(cd "$stage" && "$WINE" "$unix_target/vrxtool.exe" image sample.vrx installed.bin \
   --container "$target\\VRXWriter.exe")
"$root/build/tools/vrxtool" image "$sample" "$stage/linux.bin" \
  --container "$root/build/writer/gui/VRXWriter"
cmp "$stage/installed.bin" "$stage/linux.bin"
echo "package: the installed VRXWriter.exe carries the firmware"

"$WINE" "$unix_target/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself: wait for it to finish.
for _ in $(seq 100); do [ -e "$unix_target" ] || break; sleep 0.2; done
[ ! -e "$unix_target" ] || { echo "package: the uninstaller left $unix_target" >&2; exit 1; }
echo "package: installed and uninstalled silently"
