#!/usr/bin/env bash
# Checks a Windows build's tarvik.exe and release zip without running
# either, so that it works where Wine cannot start the build's programs:
# the executable's format and bitness, the DLLs it imports, its version
# resource, that the zip holds exactly the program's files with this very
# tarvik.exe in it, and that the installer installs the same.
#   bash cmake/check-release.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
arch=$(cat "$build/wine-arch")
exe="$build/bin/tarvik.exe"
objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$build/CMakeCache.txt")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}" >/dev/null 2>&1; then
    echo "  ok   $1"
  else
    echo "  FAIL $1"
    failures=$((failures + 1))
  fi
}

case $arch in
  win32) format=pei-i386 ;;
  win64) format=pei-x86-64 ;;
esac
header=$("$objdump" -f "$exe")
echo "$exe"
check "a $format executable" grep -q "file format $format" <<<"$header"
check "imports only Windows' own DLLs" \
  cmake -DEXE="$exe" -DOBJDUMP="$objdump" -P "$root/cmake/CheckImports.cmake"
if [ "$arch" = win32 ]; then
  check "large-address-aware" \
    cmake -DEXE="$exe" -DOBJDUMP="$objdump" -P "$root/cmake/CheckLargeAddressAware.cmake"
fi
# The version resource's texts are UTF-16: each value follows its key.
texts=$(strings -e l "$exe")
value_of() { grep -A1 -x "$1" <<<"$texts" | sed -n 2p; }
check "version resource: FileVersion $version" test "$(value_of FileVersion)" = "$version"
check "version resource: ProductName Tarvik" test "$(value_of ProductName)" = Tarvik

zip="$build/package/Tarvik-$version-$arch.zip"
echo "$zip"
folder="Tarvik-$version-$arch"
expected=$(printf '%s\n' "$folder/tarvik.exe" "$folder/Manual/manual.html" \
  "$folder/Sample Route.mkr" "$folder/README.txt" | sort)
entries=$(python3 -c 'import sys, zipfile
print("\n".join(sorted(n for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/"))))' "$zip")
check "holds tarvik.exe, Manual/manual.html, Sample Route.mkr and README.txt, nothing else" \
  test "$entries" = "$expected"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
python3 -m zipfile -e "$zip" "$unpacked"
check "its tarvik.exe is this build's" cmp "$unpacked/$folder/tarvik.exe" "$exe"
check "its sample is the project's" cmp "$unpacked/$folder/Sample Route.mkr" "$root/samples/Sample Route.mkr"

msi="$build/package/Tarvik-$version-$arch.msi"
echo "$msi"
extracted=$(mktemp -d)
(cd "$extracted" && msiextract "$msi" >/dev/null 2>&1) || true
installed_exe=$(find "$extracted" -name tarvik.exe | head -n 1)
check "installs this build's tarvik.exe" cmp "$installed_exe" "$exe"
check "installs the manual" test -n "$(find "$extracted" -path '*Manual/manual.html')"
rm -rf "$extracted"

if ((failures)); then
  echo "$failures release check(s) failed for $build"
  exit 1
fi
