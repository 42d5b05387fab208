#!/usr/bin/env bash
# Builds Tarvik's Windows Installer package from a built tarvik.exe with
# Debian's wixl and msibuild (msitools):
#   build-msi.sh OUTPUT.msi WORK_FOLDER TARVIK_EXE VERSION BITS
# BITS is 32 or 64. The package holds tarvik.exe, the manual and the sample
# Marker file, as the release zip does.
set -euo pipefail
output=$1
work=$2
exe=$3
version=$4
bits=$5
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")

case $bits in
  32) arch=x86 program_files=ProgramFilesFolder win64=no heat_win64=() ;;
  64) arch=x64 program_files=ProgramFiles64Folder win64=yes heat_win64=(--win64) ;;
  *) echo "BITS must be 32 or 64, not $bits" >&2; exit 1 ;;
esac
IFS=. read -r major minor patch <<<"$version"
next_patch_version=$major.$minor.$((patch + 1))
for tool in wixl wixl-heat msibuild; do
  command -v "$tool" >/dev/null ||
    { echo "$tool is missing: bash cmake/install-deps.sh installs it" >&2; exit 1; }
done

rm -rf "$work"
mkdir -p "$work/stage"
cp "$exe" "$work/stage/tarvik.exe"
cp "$source_dir/app/win32/tarvik.ico" "$source_dir/samples/Sample Route.mkr" "$work/stage/"
cp -r "$source_dir/app/Manual" "$work/stage/"

# wixl 0.101 finds a source file only by a path relative to its working
# folder, and makes a component 64-bit only when told so, whatever the
# package's architecture.
cd "$work/stage"
find ./Manual -type f | sort |
  wixl-heat "${heat_win64[@]}" -p ./ --directory-ref INSTALLDIR --component-group ManualFiles \
    --var var.Stage >"$work/manual.wxs"
wixl -a "$arch" -D Stage=. -D "Version=$version" -D "NextPatchVersion=$next_patch_version" \
  -D "Bits=$bits" -D "Win64=$win64" -D "ProgramFiles=$program_files" \
  -o "$work/tarvik.msi" "$here/tarvik.wxs" "$work/manual.wxs"
while IFS= read -r query; do
  case $query in '' | '#'*) continue ;; esac
  msibuild "$work/tarvik.msi" -q "$query"
done <"$here/after-wixl.sql"

mkdir -p "$(dirname "$output")"
mv "$work/tarvik.msi" "$output"
echo "built $output"
