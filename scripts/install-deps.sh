#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, when it is missing:
# CMake and Ninja, g++ and GoogleTest for the native build, the i686
# mingw-w64 cross compiler (win32-threads variant, so that nothing pulls in
# Vista's API) and its x86_64 twin (the Wine tests where Wine runs no 32-bit
# programs), Wine (with its 32-bit half), Xvfb, lnkinfo, Wine's fonts,
# ImageMagick, Python 3, the locale sources (for tests in other ANSI code
# pages), and git, OpenSSL and osslsigncode for the release (signing, its
# test's throwaway certificate, scripts/check-reproducible.sh). Quick and
# silent when everything is there.
#   scripts/install-deps.sh [more Debian packages...]
set -euo pipefail

packages=(
  cmake ninja-build g++ libgtest-dev libgmock-dev
  g++-mingw-w64-i686-win32 mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine xvfb xauth liblnk-utils imagemagick python3
  locales file git openssl osslsigncode
)
# Tools that need more (the fuzzer: clang libclang-rt-14-dev) name them.
packages+=("$@")

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

# wine32 is an i386 package: the architecture must be known to dpkg.
added_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
  added_i386=1
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ "$added_i386" = 1 ]; then
  echo "install-deps: installing ${missing[*]:-(package lists for i386)}"
  "${as_root[@]}" apt-get update
  if [ ${#missing[@]} -gt 0 ]; then
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y --no-install-recommends "${missing[@]}"
  fi
fi
