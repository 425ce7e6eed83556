# Sourced by the Windows build scripts: a private Wine prefix under the
# given folder, quiet, with no Mono/Gecko installers and no window manager
# decorations of its own.
#   wine_setup <folder>   creates a fresh prefix there
#   wine_start / wine_stop  one persistent wineserver around many runs
export WINE=${WINE:-/usr/lib/wine/wine64}
export WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_setup() {
  export WINEPREFIX=$1
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1
  "$WINESERVER" -w
  # Japanese dialog text in the IPA fonts the Linux build uses.
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "MS UI Gothic" /d IPAPGothic /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "ＭＳ Ｐゴシック" /d IPAPGothic /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "MS PGothic" /d IPAPGothic /f >/dev/null 2>&1
  # Wine points com1.. at the machine's real serial ports: no test may.
  rm -f "$WINEPREFIX"/dosdevices/com*
  "$WINESERVER" -w
}

# A server stopped with -k lists its objects on its stderr: keep that quiet.
wine_start() { "$WINESERVER" -p 2>/dev/null; }
wine_stop() { "$WINESERVER" -k 2>/dev/null || true; }
