# Sourced by every script that runs Wine. Decides once per run, before the
# first Wine process, whether this machine runs 32-bit programs, and exports
# the answer so that the scripts, ctest and the tests it starts all agree:
#   TARVIK_WINE_MODE=both    32- and 64-bit programs run: Debian's wine as is.
#   TARVIK_WINE_MODE=64only  they do not (a kernel booted without 32-bit
#                            emulation, or TARVIK_NO_32BIT=1 to force it):
#                            Wine runs as wine64 in 64-bit prefixes only.
#   TARVIK_WINE_MODE_WHY     the reason, for the scripts' reports.
# Once wine32:i386 is installed, Debian's wine starts the 32-bit loader first
# even for a 64-bit program, so where that loader cannot run every wine
# command fails; here `wine` and `wine-stable` (which wineboot, winepath and
# msiexec call) are put first on PATH as wine64.
tarvik_wine64_loader=/usr/lib/wine/wine64

if [ -z "${TARVIK_WINE_MODE:-}" ]; then
  if [ "${TARVIK_NO_32BIT:-}" = 1 ]; then
    TARVIK_WINE_MODE=64only
    TARVIK_WINE_MODE_WHY="TARVIK_NO_32BIT=1 asks for the 64-bit mode"
  # The loader's own answer: a 32-bit exe's exit code says nothing, as such
  # an exe exits 0 without running where 32-bit Wine is missing.
  elif tarvik_loader_says=$(/usr/lib/wine/wine --version 2>&1); then
    TARVIK_WINE_MODE=both
    TARVIK_WINE_MODE_WHY="this machine runs 32-bit programs"
  else
    TARVIK_WINE_MODE=64only
    TARVIK_WINE_MODE_WHY="this machine runs no 32-bit programs (/usr/lib/wine/wine: ${tarvik_loader_says:-no answer})"
  fi
  export TARVIK_WINE_MODE TARVIK_WINE_MODE_WHY
fi

if [ "$TARVIK_WINE_MODE" = 64only ]; then
  tarvik_wine64_bin="${TMPDIR:-/tmp}/tarvik-wine64-$(id -u)"
  if [ ! -x "$tarvik_wine64_bin/wine-stable" ]; then
    mkdir -p "$tarvik_wine64_bin"
    for tarvik_name in wine wine-stable wine64; do
      printf '#!/bin/sh\nexec %s "$@"\n' "$tarvik_wine64_loader" >"$tarvik_wine64_bin/$tarvik_name"
      chmod +x "$tarvik_wine64_bin/$tarvik_name"
    done
  fi
  case ":$PATH:" in
    *":$tarvik_wine64_bin:"*) ;;
    *) export PATH="$tarvik_wine64_bin:$PATH" ;;
  esac
  # Wine's own helpers start through WINELOADER.
  export WINELOADER=$tarvik_wine64_loader
fi
