#!/usr/bin/env bash
# Makes the Wine prefix PREFIX for ARCH (win32 or win64) unless a good one is
# there. A prefix made before wine32:i386 was installed, or under another
# Wine, cannot load kernel32.dll any more: the stamp written last records
# what the prefix was made with, and a prefix without a matching stamp is
# removed and made again. Quiet, without Mono and Gecko prompts, and without
# the 2 s wait that every hidden window costs when no window manager runs.
# The stamp also records the Wine mode (cmake/wine-mode.sh): a 64-bit prefix
# made by wine64 alone lacks the 32-bit half that the other mode needs.
#   bash cmake/wine-prefix.sh PREFIX ARCH
set -euo pipefail
prefix=$1
arch=$2
stamp_file="$prefix/tarvik-prefix.stamp"
source "$(dirname "${BASH_SOURCE[0]}")/wine-mode.sh"
if [ "$TARVIK_WINE_MODE" = 64only ] && [ "$arch" != win64 ]; then
  echo "No $arch prefix here: $TARVIK_WINE_MODE_WHY" >&2
  exit 1
fi

wine_version() {
  dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true
}
wine32=$(wine_version wine32:i386)
if [ -z "$wine32" ] && [ "$TARVIK_WINE_MODE" = both ]; then
  echo "wine32:i386 is not installed; run cmake/install-deps.sh first" >&2
  exit 1
fi
stamp="WINEARCH=$arch mode=$TARVIK_WINE_MODE wine=$(wine_version wine) wine32=$wine32"

if [ -f "$stamp_file" ] && [ "$(cat "$stamp_file")" = "$stamp" ]; then
  exit 0
fi
if [ -e "$prefix" ]; then
  echo "Removing the Wine prefix $prefix: it was not made with this Wine ($stamp)"
  rm -rf "$prefix"
fi
echo "Creating the Wine prefix $prefix ($arch)"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -u </dev/null >/dev/null 2>&1
wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f \
  </dev/null >/dev/null 2>&1
# The registry reaches the disk only once the server has ended.
wineserver -w
if [ ! -f "$prefix/system.reg" ]; then
  echo "wineboot did not make the prefix $prefix" >&2
  exit 1
fi
echo "$stamp" >"$stamp_file"
