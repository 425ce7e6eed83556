# Sourced by the Windows build scripts: a private Wine prefix under the
# given folder, quiet, with no Mono/Gecko installers and no window manager
# decorations of its own.
#   wine_setup <folder>   creates a fresh prefix there
#   wine_start / wine_stop  one persistent wineserver around many runs
#   wine_map_port COMn PATH  COMn is PATH (a pseudo-terminal), no other port is
#   wine_unmap_port COMn
#   wine_parity_shim FOLDER  builds the harness's parity shim, prints its path
#   private_x_start WxHxD   a private X server on a free display, DISPLAY set
#   private_x_stop
#   wine_display_language ja|en FOLDER  Windows' display language for the
#                           programs started after it (a locale built in FOLDER)
export WINE=${WINE:-/usr/lib/wine/wine64}
export WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko installers, and no menu builder: an install into the build's
# prefix must not add entries to the host's desktop menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine turns command lines and file names into UTF-16 from the Unix locale's
# encoding; a CI machine may have none set.
export LC_ALL=C.UTF-8

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
# The first program a fresh server runs starts Wine's own services, which
# stay as long as the server and keep the standard streams they were given:
# started here on /dev/null, they cannot hold open a pipe that a build step
# or a `| tee` waits on.
wine_start() {
  "$WINESERVER" -p 2>/dev/null
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
}
wine_stop() { "$WINESERVER" -k 2>/dev/null || true; }

# Wine reads the port mapping when its server starts, and rewrites com1..
# links to the machine's serial ports: those are removed again, so that no
# run can reach a real port.
wine_map_port() {
  "$WINE" reg add 'HKLM\Software\Wine\Ports' /v "$1" /d "$2" /f >/dev/null
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w
  wine_start
  rm -f "$WINEPREFIX"/dosdevices/com[0-9]*
  ln -s "$2" "$WINEPREFIX/dosdevices/${1,,}"
}

wine_unmap_port() {
  "$WINE" reg delete 'HKLM\Software\Wine\Ports' /v "$1" /f >/dev/null 2>&1 || true
  rm -f "$WINEPREFIX/dosdevices/${1,,}"
}

# See pty_parity_shim.c: preloaded into Wine by the test harness, never by a
# program.
wine_parity_shim() {
  local here
  here=$(dirname "${BASH_SOURCE[0]}")
  cc -shared -fPIC -O2 -o "$1/pty_parity_shim.so" "$here/pty_parity_shim.c" -ldl
  echo "$1/pty_parity_shim.so"
}

# The X server picks a display number that is free (-displayfd), so two runs
# at once, or a desktop session, never meet on one.
private_x_pid=""
private_x_start() {
  local fifo number
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$1" -dpi 96 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  private_x_pid=$!
  read -r number <"$fifo" || true
  rm -f "$fifo"
  [ -n "$number" ] || { echo "wine-env: Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$number
}
private_x_stop() {
  [ -z "$private_x_pid" ] || { kill "$private_x_pid" 2>/dev/null || true; wait "$private_x_pid" 2>/dev/null || true; }
  private_x_pid=""
}

# Wine takes the user's display language from the Unix locale it starts in,
# and only from one the C library knows.  The locale is built into a folder
# of the run's own (LOCPATH), so the machine's locales stay as they are.
wine_display_language() {
  local name
  case $1 in
    ja) name=ja_JP ;;
    en) name=en_US ;;
    *) echo "wine-env: no display language '$1'" >&2; return 1 ;;
  esac
  mkdir -p "$2"
  [ -d "$2/$name.UTF-8" ] || localedef -i "$name" -f UTF-8 "$2/$name.UTF-8" 2>/dev/null ||
    [ -d "$2/$name.UTF-8" ] || { echo "wine-env: cannot build the $name locale" >&2; return 1; }
  export LOCPATH=$2
  # This shell cannot load it (its C library never sees LOCPATH): say nothing.
  { export LC_ALL=$name.UTF-8; } 2>/dev/null
}
