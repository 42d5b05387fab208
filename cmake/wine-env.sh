# Sourced with the build folder as $1: a Wine prefix of the project's own
# under that folder, quiet, without Mono and Gecko prompts, and without the
# 2 s wait that every hidden window costs when no window manager runs.
build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX"
  wineboot -u </dev/null >/dev/null 2>&1
  wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f \
    </dev/null >/dev/null 2>&1
  wineserver -w
fi
