#!/usr/bin/env bash
# Starts VRXEditor.exe and VRXWriter.exe under Wine, each in a Wine virtual
# desktop on a private X server, once with Windows' display language set to
# Japanese and once to English; checks that the window stays up and is drawn,
# that vrxtool.exe speaks the same language, and keeps a screenshot of each
# window in WORK_DIR (windows-editor.png, windows-editor-en.png, ...).  With
# VRX_REFRESH_SCREENSHOTS=1 the screenshots also replace the pictures in
# docs/images/ (a build leaves tracked files alone unless asked).
# Usage: gui-smoke.sh WINDOWS_BUILD_DIR WORK_DIR   (Wine set up by the caller)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
rm -rf "$work"
mkdir -p "$work"

# shellcheck source=wine-env.sh
source "$root/scripts/windows/wine-env.sh"
program_pid=""
cleanup() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  private_x_stop
}
trap cleanup EXIT
private_x_start 1024x768x24

smoke() {  # smoke EXE SCREENSHOT
  local exe=$1 shot=$2
  "$WINE" explorer /desktop=vrx,1024x768 "$exe" >/dev/null 2>&1 &
  program_pid=$!
  # An empty desktop has a handful of colours; a drawn dialog with text many.
  # Up to a minute on a busy machine; then the picture must hold still.
  local colours=0 previous=""
  for _ in $(seq 120); do
    kill -0 "$program_pid" 2>/dev/null || { echo "gui-smoke: $(basename "$exe") exited" >&2; exit 1; }
    import -window root "$work/shot.png"
    colours=$(identify -format %k "$work/shot.png")
    if [ "$colours" -gt 50 ]; then
      local now
      now=$(md5sum <"$work/shot.png")
      [ "$now" != "$previous" ] || break
      previous=$now
    fi
    sleep 0.5
  done
  [ "$colours" -gt 50 ] || { echo "gui-smoke: $(basename "$exe") drew nothing" >&2; exit 1; }
  convert "$work/shot.png" -trim +repage "$shot"
  "$WINESERVER" -k 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
  echo "gui-smoke: $(basename "$exe") is up; screenshot $shot"
}

# The language follows Windows' display language.  The programs' windows are
# checked by screenshot; vrxtool.exe's message, from the same catalogs, by
# its text: Japanese as described, English with no Japanese character left.
default_locale=$LC_ALL
for language in ja en; do
  suffix=""; [ "$language" = ja ] || suffix=-$language
  wine_display_language "$language" "$work/locales"
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w
  smoke "$build/editor/gui/VRXEditor.exe" "$work/windows-editor$suffix.png"
  smoke "$build/writer/gui/VRXWriter.exe" "$work/windows-writer$suffix.png"
  said=$("$WINE" "$build/tools/vrxtool.exe" show "$work/none.vrx" 2>&1 | tr -d '\r' || true)
  case $language in
    ja) expected='ファイルが開けませんでした' ;;
    en) expected='Could not open the file' ;;
  esac
  case $said in
    *"$expected"*) ;;
    *) echo "gui-smoke: vrxtool.exe under display language $language said: $said" >&2; exit 1 ;;
  esac
  if [ "$language" = en ] && LC_ALL=C.UTF-8 grep -qP '[\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}]' <<<"$said"; then
    echo "gui-smoke: vrxtool.exe left Japanese in English: $said" >&2
    exit 1
  fi
  echo "gui-smoke: display language $language: the windows are up, vrxtool.exe says \"$said\""
done
export LC_ALL=$default_locale
unset LOCPATH
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w
# A data file named in Japanese on the editor's command line, whatever the
# system's code page: its window title then names the file.  Started outside
# a virtual desktop, its window is an X window with that title.
japanese=$work/日本語の見本.vrx
cp "$root/tests/data/sample.vrx" "$japanese"
"$WINE" "$build/editor/gui/VRXEditor.exe" "$("$WINE" winepath -w "$japanese" 2>/dev/null | tr -d '\r')" \
  >/dev/null 2>&1 &
program_pid=$!
opened=""
for _ in $(seq 600); do
  if xdotool search --name '日本語の見本' >/dev/null 2>&1; then opened=1; break; fi
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
"$WINESERVER" -k 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
program_pid=""
[ -n "$opened" ] ||
  { echo "gui-smoke: VRXEditor.exe did not open $(basename "$japanese") from its command line" >&2; exit 1; }
echo "gui-smoke: VRXEditor.exe opened $(basename "$japanese") from its command line"

if [ "${VRX_REFRESH_SCREENSHOTS:-}" = 1 ]; then
  cp "$work"/windows-{editor,writer}{,-en}.png "$root/docs/images/"
  echo "gui-smoke: docs/images/windows-*.png refreshed"
fi
