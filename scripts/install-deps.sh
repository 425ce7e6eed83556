#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the VRX7100
# tools.  Runs as root, or re-runs itself through sudo.  With --windows it
# adds what scripts/build-windows.sh needs: the MinGW-w64 cross compilers,
# Wine for the tests, NSIS for the installer and osslsigncode for signing.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  exec sudo -E bash "$0" "$@"
fi

packages=(
  # build
  g++ cmake ninja-build pkg-config ccache
  libwxgtk3.2-dev libcli11-dev nlohmann-json3-dev libcairo2-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # the translations: msgfmt builds the catalogs, xgettext and msgcmp check them
  gettext
  # run: the dialog font of both programs
  fonts-ipafont-gothic
  # tests: a private X server, key injection, DES cross-check
  xvfb xauth xdotool x11-utils openssl python3
  # screenshots for the documentation
  imagemagick
  # the Debian package: manual pages (scdoc), dependencies (dpkg-shlibdeps,
  # file), and its checks (lintian, validators, man, completion, xdg-mime)
  scdoc dpkg-dev file lintian desktop-file-utils appstream shared-mime-info
  man-db bash-completion xdg-utils
)
if [ "${1:-}" = "--windows" ]; then
  packages+=(
    # cross build (the -posix compilers come with these) and its libraries'
    # sources, which apt-get source unpacks with dpkg-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    libz-mingw-w64-dev dpkg-dev make
    # tests under Wine (a window manager for the start-up benchmark), the
    # ZIP and the installer, a test signature on the writer
    wine64 openbox zip nsis osslsigncode
    # the Japanese and English display languages Wine takes from the locale
    locales
  )
fi

export DEBIAN_FRONTEND=noninteractive
# On a fresh machine another process (unattended upgrades, cloud init) may
# hold the package lock for a while: wait for it instead of failing.
for attempt in 1 2 3 4 5; do
  if apt-get -o DPkg::Lock::Timeout=300 -o Acquire::Retries=3 update -qq; then break; fi
  echo "apt-get update failed (attempt $attempt), retrying in 20 s" >&2
  sleep 20
done
apt-get -o DPkg::Lock::Timeout=300 install -y -qq "${packages[@]}"
