# Sourced with a Windows build folder as $1: Wine's settings for running that
# build's programs, in a Wine prefix of the project's own under the folder.
# A 32-bit build gets a 32-bit prefix (WINEARCH=win32), as the simulator's
# users have; a 64-bit one a 64-bit prefix, where programs of both kinds run
# unless this machine runs no 32-bit programs (cmake/wine-mode.sh).
source "$(dirname "${BASH_SOURCE[0]}")/wine-mode.sh"
build_dir=$(cd "$1" && pwd)
if [ ! -f "$build_dir/wine-arch" ]; then
  echo "$build_dir is not a configured Windows build" >&2
  return 1 2>/dev/null || exit 1
fi
export WINEARCH=$(cat "$build_dir/wine-arch")
if [ "$TARVIK_WINE_MODE" = 64only ] && [ "$WINEARCH" = win32 ]; then
  echo "$build_dir is a 32-bit build, which cannot run here: $TARVIK_WINE_MODE_WHY" >&2
  return 1 2>/dev/null || exit 1
fi
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
bash "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh" "$WINEPREFIX" "$WINEARCH" ||
  { return 1 2>/dev/null || exit 1; }
