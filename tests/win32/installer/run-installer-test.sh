#!/usr/bin/env bash
# Runs the installer's test in a fresh Wine prefix of the build's bitness,
# with the build's .msi and a newer version of it made here from the same
# files, to install over it.
#   run-installer-test.sh BUILD_DIR TEST_EXE
# The package must be newer than the build's tarvik.exe
# (cmake --build BUILD_DIR --target installer).
set -uo pipefail
build_dir=$(cd "$1" && pwd)
test_exe=$2
source_dir=$(cd "$(dirname "$0")/../../.." && pwd)
arch=$(cat "$build_dir/wine-arch")
source "$source_dir/tests/win32/package/release-file.sh"
msi=$(release_file "$build_dir" msi installer) || exit 1

work="$build_dir/installer-test"
rm -rf "$work"
mkdir -p "$work/routes"
version=$(msiinfo export "$msi" Property | tr -d '\r' | awk '$1 == "ProductVersion" { print $2 }')
IFS=. read -r major minor patch <<<"$version"
newer_version=$major.$minor.$((patch + 1))
bits=32
[ "$arch" = win64 ] && bits=64
newer_msi="$work/Tarvik-$newer_version-$arch.msi"
bash "$source_dir/installer/build-msi.sh" "$newer_msi" "$work/newer" "$build_dir/bin/tarvik.exe" \
  "$newer_version" "$bits" >/dev/null || exit 1

# No menu entries or file types of the test's installs in this machine's
# desktop: Wine's menu builder stays off.
export WINEPREFIX="$work/prefix" WINEARCH=$arch WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
bash "$source_dir/cmake/wine-prefix.sh" "$WINEPREFIX" "$arch" || exit 1

windows_path() { echo "Z:${1//\//\\}"; }
# Wine processes must not inherit this script's pipes, which ctest reads.
log="$work/test.log"
wineserver -p </dev/null >/dev/null 2>&1
TARVIK_INSTALLER=$(windows_path "$msi") TARVIK_NEWER_INSTALLER=$(windows_path "$newer_msi") \
  TARVIK_NEWER_VERSION=$newer_version TARVIK_UNIX_FOLDER="$work/routes" \
  wine "$test_exe" </dev/null >"$log" 2>&1
status=$?
wineserver -k </dev/null >/dev/null 2>&1
wineserver -w
tr -d '\r' <"$log"
# A run that ends before its last line was cut short, whatever Wine says.
grep -q "PASSED" "$log" && ! grep -q "FAILED" "$log" || status=1
rm -rf "$work"
exit $status
