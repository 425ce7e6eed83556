#!/usr/bin/env bash
# Builds the libraries the Windows programs link against, for 64-bit
# Windows, into one fixed prefix (default /opt/vrx-mingw64; wx-config
# records its own path, so the prefix cannot move after the build):
#   zlib        Debian's libz-mingw-w64-dev (already cross-built)
#   libpng      from Debian's libpng1.6 source
#   wxWidgets   3.2 for MSW, static, from Debian's wxwidgets3.2 source
#   GoogleTest  from /usr/src/googletest
#   CLI11       its headers and package file, copied (the host's /usr/include must not be
#               on a MinGW include path: it would pull in glibc headers)
# The prefix is keyed by a hash of this script, the toolchain file and the
# versions of the sources and compilers; it is rebuilt only when the key
# changes.  Needs the packages of `scripts/install-deps.sh --windows`.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
prefix=${VRX_MINGW_PREFIX:-/opt/vrx-mingw64}
work=${VRX_MINGW_WORK:-/var/tmp/vrx-mingw64-build}
jobs=${VRX_JOBS:-$(nproc)}
triplet=x86_64-w64-mingw32
toolchain=$repo/cmake/mingw-w64-x86_64.cmake

die() { echo "build-windows-prefix: $*" >&2; exit 1; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# Debian's sources come through apt; bookworm's main needs a deb-src entry.
# It is made from the entry that already serves bookworm's binary packages,
# so a mirror or proxy set up on this machine serves the sources too.
bookworm_binary_entry() {  # prints "URI KEYRING" of the first deb entry for bookworm main
  local files=(/etc/apt/sources.list.d/*.sources)
  [ -e "${files[0]}" ] && awk '
    function flush() {
      if (types ~ /(^| )deb( |$)/ && suites ~ /(^| )bookworm( |$)/ && comps ~ /(^| )main( |$)/ && uri != "")
        { print uri, keyring; found = 1; exit }
      types = suites = comps = uri = keyring = ""
    }
    FNR == 1 { flush() }
    /^[ \t]*$/ { flush(); next }
    /^Types:/      { sub(/^Types:[ \t]*/, "");      types = $0 }
    /^URIs:/       { sub(/^URIs:[ \t]*/, "");       split($0, u, " "); uri = u[1] }
    /^Suites:/     { sub(/^Suites:[ \t]*/, "");     suites = $0 }
    /^Components:/ { sub(/^Components:[ \t]*/, ""); comps = $0 }
    /^Signed-By:/  { sub(/^Signed-By:[ \t]*/, "");  keyring = $0 }
    END { if (!found) flush() }
  ' "${files[@]}" && return
  # The one-line format: deb [options] URI bookworm main ...
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) { while (i <= NF && $i !~ /\]$/) i++; i++ }
                       if ($(i+1) == "bookworm") { for (c = i+2; c <= NF; c++) if ($c == "main") { print $i; exit } } }'
}

ensure_deb_src() {
  if apt-cache showsrc wxwidgets3.2 2>/dev/null | grep -q '^Package: wxwidgets3.2'; then
    return
  fi
  local entry uri keyring
  entry=$(bookworm_binary_entry | head -1)
  uri=${entry%% *}
  keyring=${entry#"$uri"}; keyring=${keyring# }
  [ -n "$uri" ] || die "no apt entry serves bookworm main; add one (or a deb-src entry for it)"
  {
    echo "Types: deb-src"
    echo "URIs: $uri"
    echo "Suites: bookworm"
    echo "Components: main"
    [ -z "$keyring" ] || echo "Signed-By: $keyring"
  } | as_root tee /etc/apt/sources.list.d/vrx-deb-src.sources >/dev/null
  as_root apt-get -o Acquire::Retries=3 update -qq
}

source_version() {
  apt-cache showsrc "$1" | awk '/^Version:/ {print $2; exit}'
}

ensure_deb_src
wx_version=$(source_version wxwidgets3.2)
png_version=$(source_version libpng1.6)
[ -n "$wx_version" ] && [ -n "$png_version" ] || die "Debian sources not found"
command -v $triplet-g++-posix >/dev/null || die "$triplet-g++-posix missing (scripts/install-deps.sh --windows)"

key=$( {
  cat "$0" "$toolchain"
  echo "$wx_version $png_version"
  $triplet-g++-posix --version | head -1
  dpkg-query -W -f '${Version}\n' libz-mingw-w64-dev googletest libcli11-dev
} | sha256sum | cut -c1-16)

if [ -f "$prefix/.vrx-key" ] && [ "$(cat "$prefix/.vrx-key")" = "$key" ]; then
  echo "build-windows-prefix: $prefix is up to date ($key)"
  exit 0
fi
echo "build-windows-prefix: building $prefix ($key) with $jobs jobs"
start=$(date +%s)

as_root rm -rf "$prefix"
as_root mkdir -p "$prefix"
as_root chown "$(id -u):$(id -g)" "$prefix"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

export CC=$triplet-gcc-posix CXX=$triplet-g++-posix
export AR=$triplet-ar RANLIB=$triplet-ranlib STRIP=$triplet-strip
export CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH=

apt-get source -qq "libpng1.6=$png_version" "wxwidgets3.2=$wx_version" >/dev/null

echo "build-windows-prefix: libpng $png_version"
(cd libpng1.6-*/ &&
  ./configure -q --host=$triplet --prefix="$prefix" --disable-shared --enable-static &&
  nice make -s -j"$jobs" && make -s install)

echo "build-windows-prefix: wxWidgets $wx_version"
mkdir -p wx-msw
(cd wx-msw &&
  ../wxwidgets3.2-*/configure -q --host=$triplet --prefix="$prefix" \
    --with-msw --disable-shared --enable-unicode \
    --with-zlib=sys --with-libpng=sys --without-libjpeg --without-libtiff --without-expat \
    --disable-xrc --with-regex=builtin --without-opengl --disable-html --disable-webview \
    --disable-mediactrl --disable-stc --disable-richtext --disable-aui --disable-ribbon \
    --disable-propgrid &&
  nice make -s -j"$jobs" && make -s install)

echo "build-windows-prefix: GoogleTest"
cmake -S /usr/src/googletest -B gtest -G Ninja --toolchain "$toolchain" \
  -DVRX_MINGW_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
nice cmake --build gtest -j "$jobs" >/dev/null
cmake --install gtest >/dev/null

echo "build-windows-prefix: CLI11 headers"
cp -r /usr/include/CLI "$prefix/include/"
mkdir -p "$prefix/share/cmake"
cp -r /usr/share/cmake/CLI11 "$prefix/share/cmake/"  # finds the headers beside it

echo "$key" > "$prefix/.vrx-key"
rm -rf "$work"
echo "build-windows-prefix: done in $(( $(date +%s) - start )) s"
