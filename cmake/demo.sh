#!/usr/bin/env bash
# Starts the stand-in Route Editor, then Tarvik beside it with the sample
# Marker file, both from BUILD_DIR.
#   demo.sh BUILD_DIR
# With TARVIK_SCREENSHOT set, a stand-in for the user (demouser.exe) clicks
# one waypoint in Tarvik's list and waits until the Route Editor's camera
# stands there; then the screen is photographed into that file and both
# programs are closed. Otherwise both stay on the screen until Tarvik is
# closed.
set -uo pipefail
build_dir=$1
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/cmake/wine-env.sh" "$build_dir"
bin="$build_dir/bin"
waypoint="Creek Bridge"
quietly() { "$@" </dev/null >/dev/null 2>&1; }

quietly wineserver -p
sample=$(winepath -w "$root/samples/Sample Route.mkr" 2>/dev/null)
# Below the stand-in's main window, clear of its tool windows: place Tarvik
# there unless the user has moved it elsewhere since.
settings='HKCU\Software\Tarvik\Settings'
if [ -n "${TARVIK_SCREENSHOT:-}" ] || ! quietly wine reg query "$settings" /v MainLeft; then
  quietly wine reg add "$settings" /v MainLeft /t REG_SZ /d 4500 /f
  quietly wine reg add "$settings" /v MainTop /t REG_SZ /d 7500 /f
fi

quietly wine "$bin/routeeditor.exe" &
if [ -z "${TARVIK_SCREENSHOT:-}" ]; then
  quietly wine "$bin/tarvik.exe" "$sample"
  quietly wineserver -k
  exit 0
fi

quietly wine "$bin/tarvik.exe" "$sample" &
log=$(mktemp)
wine "$bin/demouser.exe" "$waypoint" </dev/null >"$log" 2>&1
status=$?
tr -d '\r' <"$log"
rm -f "$log"
# The list and the camera have been drawn by the time the camera's text is
# read; the repeated first jump and the repaint of the selection come now.
sleep 1
import -window root "$TARVIK_SCREENSHOT"
# A polite close: taskkill without /f posts WM_CLOSE, so settings are saved.
quietly wine taskkill /im tarvik.exe
quietly wine taskkill /im routeeditor.exe
sleep 2
quietly wineserver -k
wineserver -w
exit $status
