#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and its tests need and this
# machine lacks. Safe to run again: it installs nothing when all is present.
# Run it before any Wine prefix is made: installing wine32 afterwards
# spoils the prefixes made without it (cmake/wine-prefix.sh remakes the
# project's own).
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  # zlib for KMZ: linked statically into the Windows programs, and natively
  # for the unit tests and fuzzers.
  libz-mingw-w64-dev zlib1g-dev
  # 32-bit programs under Wine, in 32-bit and 64-bit prefixes alike.
  wine wine64 wine32:i386
  xvfb xauth imagemagick
  python3  # the end-to-end tests' X drag-and-drop source
  clang libclang-rt-14-dev
  libproj-dev proj-data  # reference for the inverse projection test only
  wixl msitools  # the Windows Installer packages: wixl, wixl-heat, msibuild
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
