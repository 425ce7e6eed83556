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
# The Windows read-me, as Notepad reads it best: UTF-8 with a byte order
# mark and CRLF line ends.
readme=$root/packaging/windows/README-Windows.txt
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$readme"; } >"$files/README.txt"
# It names every command vrxtool.exe has.
commands=$("$WINE" "$files/vrxtool.exe" --help | tr -d '\r' |
  awk 'tolower($0) ~ /^subcommands:/ { listing = 1; next } listing && /^  [a-z]/ { print $1 }')
[ -n "$commands" ] || { echo "package: vrxtool.exe --help lists no commands" >&2; exit 1; }
for command in $commands; do
  grep -q "^  $command " "$readme" ||
    { echo "package: $readme does not name the command $command" >&2; exit 1; }
done
# The translations beside the programs, where they look for them.
mkdir -p "$files/locale"
cp -r "$build/locale/en" "$files/locale/"

rm -f "$out/$name.zip"
(cd "$stage" && zip -qr "$out/$name.zip" "$name")
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSOURCE="$files" -DOUTFILE="$out/$name-setup.exe" \
  "$root/packaging/windows/installer.nsi"
echo "package: $out/$name.zip"
echo "package: $out/$name-setup.exe"

# Silent install into the default folder, payload check, silent uninstall.
# (NSIS takes /D= only unquoted, which a path with blanks cannot be.)
target='C:\Program Files\Zentrolith\VRX7100 Tools'
unix_target=$WINEPREFIX/drive_c/Program\ Files/Zentrolith/VRX7100\ Tools
rm -rf "$unix_target"
# Where Wine's menu builder would put the host's menu entries and file
# associations: it must stay empty.
host_menus=$stage/host-data
mkdir -p "$host_menus"
XDG_DATA_HOME=$host_menus "$WINE" "$out/$name-setup.exe" /S
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
cp "$root/tests/data/sample.vrx" "$sample"
(cd "$stage" && "$WINE" "$unix_target/vrxtool.exe" image sample.vrx installed.bin \
   --container "$target\\VRXWriter.exe")
"$root/build/tools/vrxtool" image "$sample" "$stage/linux.bin" \
  --container "$root/build/writer/gui/VRXWriter"
cmp "$stage/installed.bin" "$stage/linux.bin"
echo "package: the installed VRXWriter.exe carries the firmware"

# A signed writer (a certificate made here, as a vendor's would be used)
# carries the same firmware, and packing into it is refused.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=VRX7100 test signature" \
  -keyout "$stage/sign.key" -out "$stage/sign.crt" 2>/dev/null
osslsigncode sign -certs "$stage/sign.crt" -key "$stage/sign.key" -n "VRXWriter" \
  -in "$unix_target/VRXWriter.exe" -out "$stage/VRXWriter-signed.exe" >/dev/null
(cd "$stage" && "$WINE" "$unix_target/vrxtool.exe" image sample.vrx signed.bin \
   --container VRXWriter-signed.exe)
cmp "$stage/signed.bin" "$stage/linux.bin"
cp "$stage/VRXWriter-signed.exe" "$stage/VRXWriter-repacked.exe"
head -c 64 /dev/zero >"$stage/firmware.bin"
if (cd "$stage" && "$WINE" "$unix_target/vrxtool.exe" pack firmware.bin VRXWriter-repacked.exe \
      --key 0123456789ABCDEF 2>"$stage/pack.err"); then
  echo "package: vrxtool.exe packed into a signed executable" >&2; exit 1
fi
grep -q "pack before signing" "$stage/pack.err" ||
  { echo "package: pack into a signed executable said: $(cat "$stage/pack.err")" >&2; exit 1; }
cmp "$stage/VRXWriter-signed.exe" "$stage/VRXWriter-repacked.exe"
echo "package: a signed VRXWriter.exe carries the same firmware; pack refuses to break the signature"

# The uninstall entry's size, and .vrx opening in the installed editor.
reg_value() {  # KEY VALUE-OPTION...: the data of the value, or nothing
  "$WINE" reg query "$@" 2>/dev/null | tr -d '\r' | awk '/REG_/ { sub(/^.*REG_[A-Z_]+ +/, ""); print; exit }'
}
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zentrolith VRX7100 Tools'
size=$(reg_value "$uninstall_key" /v EstimatedSize)
[ -n "$size" ] && [ $((size)) -gt 1000 ] ||
  { echo "package: EstimatedSize is '$size' (KB)" >&2; exit 1; }
file_type=$(reg_value 'HKLM\Software\Classes\.vrx' /ve)
[ "$file_type" = Zentrolith.VRX7100.DataFile ] ||
  { echo "package: .vrx is associated with '$file_type'" >&2; exit 1; }
open_command=$(reg_value "HKLM\\Software\\Classes\\$file_type\\shell\\open\\command" /ve)
[ "$open_command" = "\"$target\\VRXEditor.exe\" \"%1\"" ] ||
  { echo "package: .vrx files open with: $open_command" >&2; exit 1; }
echo "package: uninstall entry of $((size)) KB; .vrx files open in the installed editor"

XDG_DATA_HOME=$host_menus "$WINE" "$unix_target/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself: wait for it to finish.
for _ in $(seq 100); do [ -e "$unix_target" ] || break; sleep 0.2; done
[ ! -e "$unix_target" ] || { echo "package: the uninstaller left $unix_target" >&2; exit 1; }
[ -z "$(reg_value 'HKLM\Software\Classes\.vrx' /ve)" ] ||
  { echo "package: the uninstaller left the .vrx association" >&2; exit 1; }
[ -z "$(reg_value "HKLM\\Software\\Classes\\$file_type" /ve)" ] ||
  { echo "package: the uninstaller left the type $file_type" >&2; exit 1; }
[ -z "$(find "$host_menus" -mindepth 1 -print -quit)" ] ||
  { echo "package: Wine added to the host's menus: $(find "$host_menus" -type f)" >&2; exit 1; }
echo "package: installed and uninstalled silently, association removed, host menus untouched"
