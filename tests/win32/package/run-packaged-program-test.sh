#!/usr/bin/env bash
# Unpacks the build's release package into an empty folder of a fresh Wine
# prefix of the build's bitness and runs the packaged program's test there.
#   run-packaged-program-test.sh BUILD_DIR TEST_EXE
# The package must be newer than the build's tarvik.exe
# (cmake --build BUILD_DIR --target package).
set -uo pipefail
build_dir=$(cd "$1" && pwd)
test_exe=$2
arch=$(cat "$build_dir/wine-arch")
source "$(dirname "$0")/release-file.sh"
zip=$(release_file "$build_dir" zip package) || exit 1

work="$build_dir/package-test"
rm -rf "$work"
export WINEPREFIX="$work/prefix" WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bash "$(dirname "$0")/../../../cmake/wine-prefix.sh" "$WINEPREFIX" "$arch" || exit 1
unpacked="$WINEPREFIX/drive_c/Unpacked"
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip") || exit 1
folder=$(basename "$zip" .zip)
echo "unpacked $zip into C:\\Unpacked\\$folder"

# Wine processes must not inherit this script's pipes, which ctest reads.
log="$work/test.log"
wineserver -p </dev/null >/dev/null 2>&1
TARVIK_PACKAGED_FOLDER="C:\\Unpacked\\$folder" wine "$test_exe" </dev/null >"$log" 2>&1
status=$?
wineserver -k </dev/null >/dev/null 2>&1
wineserver -w
tr -d '\r' <"$log"
# A run that ends before its last line was cut short, whatever Wine says.
grep -q "PASSED" "$log" && ! grep -q "FAILED" "$log" || status=1
rm -rf "$work"
exit $status
